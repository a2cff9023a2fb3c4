// SPDX-FileCopyrightText: 2026 ３ｘ＋１実験ソフト制作グループ
// SPDX-License-Identifier: MIT

// Starts compiling the program's module from the page itself, once the window has been read:
// the compiler works alongside while the window is drawn. The page asks for nothing, not
// even for a data: address. Module holds the emscripten module's settings.
var Module = (() => {
  const encoded = document.getElementById('program').textContent;
  // A browser's own base64 decoder is many times faster than a loop of script.
  const bytes = Uint8Array.fromBase64?.(encoded) ?? Uint8Array.from(atob(encoded), (c) => c.charCodeAt(0));
  const compiled = WebAssembly.compile(bytes);
  return {
    compiled,
    instantiateWasm(imports, receiveInstance) {
      compiled.then((module) => WebAssembly.instantiate(module, imports)).then((instance) => receiveInstance(instance));
      return {};
    },
  };
})();
