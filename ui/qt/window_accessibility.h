#pragma once

namespace dbmconv {

// Makes screen readers see the converter's window as a frame (an application
// window), not as an anonymous filler, as they do a plain top-level QWidget.
void installWindowAccessibility();

} // namespace dbmconv
