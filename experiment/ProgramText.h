// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <string_view>

// The texts every front end shows outside an experiment, exactly as shown, and the names
// of the two chimes.
namespace ProgramText {

inline constexpr std::u16string_view caption = u" ３ｘ＋１の問題（コラッツの問題）\u3000© ３ｘ＋１実験ソフト制作グループ";
inline constexpr std::u16string_view startCaption = u"実\u3000験";
inline constexpr std::u16string_view exitCaption = u"終了";
inline constexpr std::u16string_view resetCaption = u"初期化";
inline constexpr std::u16string_view exitQuestion = u"終了していいですか？";
inline constexpr std::u16string_view exitTitle = u" ３ｘ＋１ の問題";

// The graph of the last experiment and what opens it.
inline constexpr std::u16string_view showGraph = u"グラフを表示";
inline constexpr std::u16string_view logScale = u"対数目盛";
inline constexpr std::u16string_view savePicture = u"画像を保存…";
inline constexpr std::u16string_view saveTable = u"CSVで保存…";

inline constexpr const char *resetChime = "pinpon.wav";
inline constexpr const char *exitChime = "endpinpon.wav";

// The nine lines the explanation panel prints, exactly as printed; the first is empty.
inline constexpr std::array<std::u16string_view, 9> problemStatement = {
    u"",
    u"　【問題】",
    u"　　　　　どんな自然数から始めても良いので、その数が偶数ならば２で割り、奇数ならば３倍して１を",
    u"　　　　加えることを繰り返します。",
    u"　　　　　そうすると、どんな自然数から始めても必ず１になるというのはほんとうなのでしょうか。",
    u"　　　　　11から始めると、11→34→17→52→26→13→40→20→10→5→16→8→4→2→1 となります。",
    u"　　　　　この問題は有名な難問で、いまだに解けていません。また、コンピュータを使って、非常に大",
    u"　　　　きな数（４兆）まで調べられていますが、１にならない例は発見されていません。",
    u"　　　　　下の［実験］をクリックして、バソコンで簡単な実験をしてみましょう。",
};

} // namespace ProgramText
