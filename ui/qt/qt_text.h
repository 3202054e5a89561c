#pragma once

#include <QString>

#include <string>
#include <string_view>

// The controls and the actions both hold UTF-16, so these copy code units as they are.
namespace dbmconv {

inline QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

inline std::u16string toU16(const QString& text)
{
    return text.toStdU16String();
}

} // namespace dbmconv
