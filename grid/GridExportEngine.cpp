#include "grid/GridExportEngine.h"

#include "grid/DataGrid.h"
#include "grid/ExportProgress.h"
#include "grid/GridSheet.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>
#include <memory>

namespace tolvi::grid {
namespace {

struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

bool GridExportEngine::exportToFile(const QString& fileName, QWidget* parent) {
    db::Dataset* ds = grid_ ? grid_->dataset() : nullptr;
    if (!ds || !ds->isOpen() || ds->recordCount() == 0 || fileName.trimmed().isEmpty())
        return false;
    try {
        SheetSource source;
        source.columns = grid_->columns();
        source.dataset = ds;
        for (const QString& name : ds->fieldNames())
            source.fieldKinds.insert(name.toLower(), grid_->fieldKind(name));
        source.title = title_;
        source.operatorName = operatorName_;
        source.beginDate = beginDate_;
        source.endDate = endDate_;
        source.now = QDateTime::currentDateTime();

        WaitCursor wait;
        if (QFileInfo::exists(fileName)) {
            const MsgButton answer = platform().question(
                parent,
                QStringLiteral("已存在文件（") + fileName + QStringLiteral("），是否覆盖？"),
                QStringLiteral("提示"), MsgButtons::YesNo, MsgButton::No);
            if (answer != MsgButton::Yes)
                return false;
        }

        std::unique_ptr<ExportProgress> progress;
        if (showProgress_) {
            progress = std::make_unique<ExportProgress>(ds->recordCount(), parent);
            progress->show();
        }
        // Records are read by index, so the dataset's cursor never moves.
        QSaveFile file(fileName);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        const bool written = writeGridSheet(&file, source, [&](int n) {
            if (progress)
                progress->setValue(n);
        });
        if (!written) {
            file.cancelWriting();
            return false;
        }
        // commit() ignores a failure of the last flush (a full disk) and
        // would keep a truncated sheet; flush first.
        if (!file.flush() || !file.commit())
            return false;
        platform().openUrl(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace tolvi::grid
