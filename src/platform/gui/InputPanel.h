#pragma once

// The soft input panel of a pen-operated screen. A desktop has none: raising
// and lowering it do nothing, and callers keep the places where the panel
// would come and go.
namespace InputPanel {
inline void Raise() {}
inline void Lower() {}
} // namespace InputPanel
