#pragma once

namespace tolvi {

// Lets the embedded browser start on a machine without a GPU and under the
// root account. Call before the QApplication is created; settings already
// made in the environment are kept.
void prepareWebEngineEnvironment();

} // namespace tolvi
