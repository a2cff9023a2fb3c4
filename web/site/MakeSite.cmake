# SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
# SPDX-License-Identifier: MIT

# Makes the installable site beside the single page: the page as index.html, naming its
# manifest, the manifest, the service worker and the icons. Run as
#   cmake -DPAGE=collatz.html -DSOURCE=web/site -DRESOURCES=resources -DSITE=site -P MakeSite.cmake
file(READ ${PAGE} page)
string(REPLACE "<meta name=\"viewport\""
    "<link rel=\"manifest\" href=\"manifest.webmanifest\">\n<link rel=\"apple-touch-icon\" href=\"icon-192.png\">\n<meta name=\"viewport\""
    page "${page}")
file(WRITE ${SITE}/index.html "${page}")
file(SHA256 ${SITE}/index.html PAGE_DIGEST)
string(SUBSTRING ${PAGE_DIGEST} 0 16 PAGE_DIGEST)
configure_file(${SOURCE}/service-worker.js ${SITE}/service-worker.js @ONLY)
configure_file(${SOURCE}/manifest.webmanifest ${SITE}/manifest.webmanifest COPYONLY)
foreach(size 192 512)
    configure_file(${RESOURCES}/collatz-${size}.png ${SITE}/icon-${size}.png COPYONLY)
endforeach()
