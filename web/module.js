// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// The module is inside the page, as base64: it is compiled from there, with no request,
// not even one for a data: address.
Module['instantiateWasm'] = (imports, receiveInstance) => {
  WebAssembly.instantiate(tryParseAsDataURI(wasmBinaryFile), imports).then((result) => receiveInstance(result.instance));
  return {};
};
