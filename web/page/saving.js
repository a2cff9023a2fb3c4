// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// What the page hands on: files to the browser's download, texts and links to the clipboard.

// Hands the file to the browser's download.
function download(name, blob) {
  const link = Object.assign(document.createElement('a'), { href: URL.createObjectURL(blob), download: name });
  document.body.append(link);
  link.click();
  link.remove();
  setTimeout(() => URL.revokeObjectURL(link.href), 60000);
}

// A picture comes as SVG with its size in pixels, and is saved as PNG at that size.
export function save(name, contents, picture) {
  if (!picture)
    return download(name, new Blob([contents], { type: 'text/csv;charset=utf-8' }));
  const image = new Image(), source = URL.createObjectURL(new Blob([contents], { type: 'image/svg+xml' }));
  image.onload = () => {
    const canvas = Object.assign(document.createElement('canvas'), { width: image.width, height: image.height });
    canvas.getContext('2d').drawImage(image, 0, 0, canvas.width, canvas.height);
    URL.revokeObjectURL(source);
    canvas.toBlob((blob) => download(name, blob), 'image/png');
  };
  image.src = source;
}

// Whether the text could be copied. The clipboard's own interface needs a secure context,
// which a school's server over plain http is not: there it is copied the old way.
export async function copyText(text) {
  try {
    await navigator.clipboard.writeText(text);
    return true;
  } catch {
    const copy = Object.assign(document.createElement('textarea'), { value: text });
    document.body.append(copy);
    copy.select();
    const copied = document.execCommand('copy');
    copy.remove();
    return copied;
  }
}

// The page's address with a link's form after "#".
export function copyLink(form) {
  copyText(`${location.href.split('#')[0]}#${form}`).then((copied) => Module._pageLinkCopied(copied ? 1 : 0));
}
