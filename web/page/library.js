// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// What the program's C++ calls of the page, declared to the linker, which fails the build
// where a name the C++ uses is not here. Texts cross as UTF-16, as the C++ keeps them, each
// by where it starts and its length; each call goes on to the page's own script, collatzPage.

mergeInto(LibraryManager.library, {
  pageAskForEntry: function (prompt, promptLength, title, titleLength, refused, refusedLength) {
    collatzPage.askForEntry(UTF16ToString(prompt, 2 * promptLength), UTF16ToString(title, 2 * titleLength),
      UTF16ToString(refused, 2 * refusedLength));
  },
  pageAskYesNo: function (question, questionLength, title, titleLength) {
    collatzPage.askYesNo(UTF16ToString(question, 2 * questionLength), UTF16ToString(title, 2 * titleLength));
  },
  pageShowStartingValue: function (text, length) {
    collatzPage.showStartingValue(UTF16ToString(text, 2 * length));
  },
  pageShowSequence: function (text, length) {
    collatzPage.showSequence(UTF16ToString(text, 2 * length));
  },
  // A chime's samples as floats, copied out of the module's memory.
  pageKeepChime: function (name, samples, count, rate) {
    collatzPage.keepChime(UTF8ToString(name), HEAPF32.slice(samples >> 2, (samples >> 2) + count), rate);
  },
  pagePlayChime: function (name) {
    collatzPage.playChime(UTF8ToString(name));
  },
  pageStopChime: function () {
    collatzPage.stopChime();
  },
  // The panel's view as JSON, and its drawing where it is another than last shown.
  pageShowPanel: function (view, length, drawing, bringIntoView) {
    collatzPage.showPanel(JSON.parse(UTF16ToString(view, 2 * length)), drawing ? UTF8ToString(drawing) : null, bringIntoView !== 0);
  },
  pageShowMessage: function (text, length) {
    collatzPage.showMessage(UTF16ToString(text, 2 * length));
  },
  pageSave: function (name, contents, picture) {
    collatzPage.save(UTF8ToString(name), UTF8ToString(contents), picture !== 0);
  },
  pageCopyLink: function (form) {
    collatzPage.copyLink(UTF8ToString(form));
  },
  pageEnd: function () {
    collatzPage.end();
  },
});
