# SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
# SPDX-License-Identifier: MIT

# Puts the window's prerendered layout and texts into the page's template. Run as
#   cmake -DTEMPLATE=page.in.html -DPRERENDERED=prerendered.js -DSHELL=page.html -P MakeShell.cmake
file(READ ${TEMPLATE} page)
file(READ ${PRERENDERED} prerendered)
string(REPLACE "{{{ PRERENDERED }}}" "${prerendered}" page "${page}")
file(WRITE ${SHELL} "${page}")
