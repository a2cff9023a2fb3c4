// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <string_view>

// The program's texts, kept as UTF-16 in the standard library, as Qt strings.
inline QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

template<std::size_t count> QStringList toQStringList(const std::array<std::u16string_view, count> &texts)
{
    QStringList list;
    for (std::u16string_view text : texts)
        list.append(toQString(text));
    return list;
}
