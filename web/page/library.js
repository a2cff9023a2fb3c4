// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// What the program's C++ calls of the page, declared to the linker, which fails the build
// where a name the C++ uses is not here. Texts cross as UTF-16, as the C++ keeps them; each
// call goes on to the page's own script, collatzPage.

mergeInto(LibraryManager.library, {
  pageAskForEntry: function (prompt, title, refused) {
    collatzPage.askForEntry(UTF16ToString(prompt), UTF16ToString(title), UTF16ToString(refused));
  },
  pageAskYesNo: function (question, title) {
    collatzPage.askYesNo(UTF16ToString(question), UTF16ToString(title));
  },
  pageShowStartingValue: function (text) {
    collatzPage.showStartingValue(UTF16ToString(text));
  },
  pageShowSequence: function (text) {
    collatzPage.showSequence(UTF16ToString(text));
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
  pageShowPanel: function (view, drawing, bringIntoView) {
    collatzPage.showPanel(JSON.parse(UTF16ToString(view)), drawing ? UTF8ToString(drawing) : null, bringIntoView !== 0);
  },
  pageShowMessage: function (title, text) {
    collatzPage.showMessage(UTF16ToString(title), UTF16ToString(text));
  },
  pageSave: function (name, contents, picture) {
    collatzPage.save(UTF8ToString(name), UTF8ToString(contents), picture !== 0);
  },
  pageCopyLink: function (form) {
    collatzPage.copyLink(UTF8ToString(form));
  },
  pageLater: function (id, milliseconds) {
    collatzPage.later(id, milliseconds);
  },
  pageEnd: function () {
    collatzPage.end();
  },
});
