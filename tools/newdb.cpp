// tolvi-newdb PATH: writes a new, ready-to-use data.mdb at PATH.
#include "data/Schema.h"
#include "data/db/DbError.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: tolvi-newdb PATH\n");
        return 2;
    }
    try {
        tolvi::createNewDatabase(args.at(1));
    } catch (const tolvi::db::DbError& e) {
        std::fprintf(stderr, "tolvi-newdb: %s\n", e.what());
        return 1;
    }
    return 0;
}
