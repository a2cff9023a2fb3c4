// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// Starts compiling the program's module from the page itself, once the window has been read:
// the compiler works alongside while the window is drawn. The page asks for nothing, not
// even for a data: address. Module holds the emscripten module's settings.
var Module = (() => {
  const encoded = document.getElementById('program').textContent;
  // A browser's own base64 decoder is many times faster than a loop of script.
  let bytes = Uint8Array.fromBase64?.(encoded);
  if (!bytes) {
    const text = atob(encoded);
    bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i)
      bytes[i] = text.charCodeAt(i);
  }
  const compiled = WebAssembly.compile(bytes);
  return {
    compiled,
    instantiateWasm(imports, receiveInstance) {
      compiled.then((module) => WebAssembly.instantiate(module, imports)).then((instance) => receiveInstance(instance));
      return {};
    },
  };
})();
