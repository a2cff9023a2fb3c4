// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

#pragma once

#include <array>
#include <string_view>

// Every text the program shows, exactly as shown, on the desktop and in the page alike,
// and the names of the two chimes.
namespace ProgramText {

inline constexpr std::u16string_view caption = u" ３ｘ＋１の問題（コラッツの問題）\u3000© ３ｘ＋１実験ソフト制作グループ";
inline constexpr std::u16string_view startCaption = u"実\u3000験";
inline constexpr std::u16string_view exitCaption = u"終了";
inline constexpr std::u16string_view resetCaption = u"初期化";

// The input dialog, the label's prefix and the exit question.
inline constexpr std::u16string_view prompt = u"3以上10000000以下の整数を半角で入力してください．．．";
inline constexpr std::u16string_view title = u"\u3000３ｘ＋１ の問題";
inline constexpr std::u16string_view labelPrefix = u"ｎ＝";
inline constexpr std::u16string_view ok = u"OK";
inline constexpr std::u16string_view cancel = u"キャンセル";
inline constexpr std::u16string_view exitQuestion = u"終了していいですか？";
inline constexpr std::u16string_view exitTitle = u" ３ｘ＋１ の問題";
inline constexpr std::u16string_view yes = u"はい";
inline constexpr std::u16string_view no = u"いいえ";
// A desktop's keyboard mnemonics for the two answers, after their captions.
inline constexpr char16_t yesKey = u'Y', noKey = u'N';

// Why an entry was refused, said in the dialog as it asks again: 「2」 quoted first.
inline constexpr std::u16string_view refusedEntry = u"」は 3 以上 10000000 以下の整数ではありません。";
inline constexpr std::u16string_view emptyEntry = u"3 以上 10000000 以下の整数を入力してください。";
// A long entry is quoted only so far, then this.
inline constexpr std::u16string_view cutShort = u"…";

// What screen readers call the controls that have no caption of their own.
inline constexpr std::u16string_view problemName = u"問題の説明";
inline constexpr std::u16string_view sequenceName = u"実験の結果";

// The graph of the last experiment and what opens it.
inline constexpr std::u16string_view showGraph = u"グラフを表示";
inline constexpr std::u16string_view graphTitle = u"グラフ";
inline constexpr std::u16string_view titleJoin = u" － ";
inline constexpr std::u16string_view noExperiment = u"まだ実験していません";
inline constexpr std::u16string_view stepCount = u"ステップ数 ";
inline constexpr std::u16string_view peakValue = u"最大値 ";
inline constexpr std::u16string_view stepAxis = u"ステップ";
inline constexpr std::u16string_view atStep = u" ステップ目";
inline constexpr std::u16string_view openBracket = u"（", closeBracket = u"）", valueJoin = u"：", listJoin = u", ";
// What is quoted back, an entry or a link, comes after this.
inline constexpr std::u16string_view quote = u"「";
inline constexpr std::u16string_view logScale = u"対数目盛";
inline constexpr std::u16string_view savePicture = u"画像を保存…";
inline constexpr std::u16string_view saveTable = u"CSVで保存…";
inline constexpr std::u16string_view closeGraph = u"グラフを閉じる";

// Comparing experiments in the graph, and handing a link on.
inline constexpr std::u16string_view compare = u"くらべる";
inline constexpr std::u16string_view compareName = u"くらべる数";
inline constexpr std::u16string_view compareExample = u"27, 31";
inline constexpr std::u16string_view copyLink = u"リンクをコピー";
inline constexpr std::u16string_view linkCopied = u"リンクをコピーしました。";
inline constexpr std::u16string_view linkNotCopied = u"リンクをコピーできませんでした。";
// The desktop's link is the command line that opens the same.
inline constexpr std::u16string_view command = u"collatz ";

// The survey of a range.
inline constexpr std::u16string_view survey = u"まとめて調べる";
inline constexpr std::u16string_view closeSurvey = u"「まとめて調べる」を閉じる";
inline constexpr std::u16string_view surveyFrom = u"はじめ";
inline constexpr std::u16string_view surveyTo = u"おわり";
inline constexpr std::u16string_view surveyRun = u"調べる";
inline constexpr std::u16string_view surveyCancel = u"中止";
inline constexpr std::u16string_view progressName = u"調べた割合";
inline constexpr std::u16string_view surveying = u"調べています… ";
inline constexpr std::u16string_view percent = u" %";
inline constexpr std::u16string_view surveyCancelled = u"中止しました。";
inline constexpr std::u16string_view rangeJoin = u"～";
inline constexpr std::u16string_view longest = u"いちばん長い：";
inline constexpr std::u16string_view steps = u" ステップ";
inline constexpr std::u16string_view highest = u"いちばん高い：";
inline constexpr std::u16string_view startAxis = u"はじめの数";
inline constexpr std::u16string_view stepRecord = u"ステップ数の記録";
inline constexpr std::u16string_view highestRecord = u"最大値の記録";
inline constexpr std::u16string_view recordsCaption =
    u"記録は、それより小さいどの数よりもステップ数が多い（または最大値が大きい）数です。";
inline constexpr std::array<std::u16string_view, 5> recordColumns = {u"くらべる", u"はじめの数", u"ステップ数", u"最大値", u"記録"};
inline constexpr std::u16string_view stepKind = u"ステップ数";
inline constexpr std::u16string_view highestKind = u"最大値";
inline constexpr std::u16string_view kindJoin = u"・";
inline constexpr std::u16string_view tickName = u" をくらべる";
inline constexpr std::u16string_view runName = u" で実験";
inline constexpr std::u16string_view nothingTicked = u"くらべる数にチェックをつけてください。";
inline constexpr std::u16string_view saveSurveyTable = u"表をCSVで保存…";
inline constexpr std::u16string_view saveRecords = u"記録をCSVで保存…";
inline constexpr std::u16string_view tableTooLong = u"表を保存できるのは 100,000 個までです。";
inline constexpr std::u16string_view surveyName = u"調べた結果：";

// Saving a picture or a table: the dialog's title and what it lists, and a file that could
// not be written, quoted after 「.
inline constexpr std::u16string_view savePictureTitle = u"画像を保存";
inline constexpr std::u16string_view saveTableTitle = u"CSVで保存";
inline constexpr std::u16string_view pictureFiles = u"PNG 画像 (*.png)";
inline constexpr std::u16string_view tableFiles = u"CSV ファイル (*.csv)";
inline constexpr std::u16string_view notSavedTitle = u"保存できませんでした";
inline constexpr std::u16string_view notSaved = u"」に保存できませんでした。";

// Where the desktop's library of the graph's and the survey's windows is missing.
inline constexpr std::u16string_view panelsMissing = u"グラフと「まとめて調べる」の部品がインストールされていないため、表示できません。";
// Where the desktop's chime player is missing; a line of the program's log, in English.
inline constexpr const char *chimesSilent = "the chime player could not be loaded, so the chimes are silent: ";

// What a link, the command line or the graph's entry asks for, when it cannot be shown:
// 「 and the link first, then why.
inline constexpr std::u16string_view notUnderstood = u"」は読み取れません。27、27,31、3-100 のように書いてください。";
inline constexpr std::u16string_view cannotOpen = u"」は開けません。";
inline constexpr std::u16string_view outOfRange = u"はじめの数は 3 以上 10000000 以下です。";
inline constexpr std::u16string_view tooMany = u"くらべられるのは 4 つまでです。";
inline constexpr std::u16string_view reversed = u"範囲は小さいほうから書きます。";

// The page's own: the text box's menu, the note once the program has ended there, and what
// it says without JavaScript.
inline constexpr std::u16string_view menu = u"メニュー";
inline constexpr std::u16string_view copy = u"コピー";
inline constexpr std::u16string_view ended = u"３ｘ＋１の問題を終了しました。";
inline constexpr std::u16string_view endedNote = u"このタブは閉じてかまいません。";
inline constexpr std::u16string_view restart = u"もう一度はじめる";
inline constexpr std::u16string_view needsScript = u"このページを使うには、JavaScript を有効にしてください。";
inline constexpr std::u16string_view fullScreen = u"全画面";
inline constexpr std::u16string_view description = u"コラッツの問題（３ｘ＋１の問題）を説明し、コンピュータで実験してみるプログラムです。";

// The panel's and the label's font, and its stand-ins in the order they are preferred: a
// proportional Japanese face at 12 points.
inline constexpr std::array<std::u16string_view, 7> japaneseFonts = {
    u"ＭＳ Ｐゴシック", u"MS PGothic", u"IPAPGothic", u"VL PGothic", u"Noto Sans CJK JP", u"Hiragino Sans", u"Yu Gothic",
};
inline constexpr int japaneseFontPoints = 12;

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
