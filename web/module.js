performance.mark('module');
// The page is in the head, so that the module compiles while the body is read; main()
// waits for the body.
Module['preRun'] = () => {
  if (document.readyState === 'loading') {
    addRunDependency('body');
    document.addEventListener('DOMContentLoaded', () => removeRunDependency('body'));
  }
};
Module['instantiateWasm'] = (imports, receiveInstance) => {
  performance.mark('decode');
  const b = tryParseAsDataURI(wasmBinaryFile);
  performance.mark('decoded');
  WebAssembly.instantiate(b, imports).then((result) => { performance.mark('instantiated'); receiveInstance(result.instance); });
  return {};
};
