#pragma once

class QKeyEvent;

namespace tolvi {

// Password boxes take only Backspace, Enter, 0-9, A-Z and a-z.
bool passwordKeyAllowed(const QKeyEvent* event);

} // namespace tolvi
