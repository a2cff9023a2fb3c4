// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <QString>
#include <QStringList>

#include <string_view>

// The program's texts, kept as UTF-16 in the standard library, as Qt strings.
inline QString toQString(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

template<typename Texts> QStringList toQStringList(const Texts &texts)
{
    QStringList list;
    for (std::u16string_view text : texts)
        list.append(toQString(text));
    return list;
}
