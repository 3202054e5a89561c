#pragma once

#include <QFont>

namespace dbmconv {

// 宋体 (SimSun) 12 pt, normal weight, for the four controls that carry their own
// font. Where it is not installed the nearest Song/Ming-style CJK face is taken,
// then any CJK sans face, so the Chinese texts never fall back to boxes.
[[nodiscard]] QFont controlFont();

} // namespace dbmconv
