// The game's download starts as soon as the page is parsed, beside
// xterm's, not after it. A preload link would do the same in Chromium and
// Firefox, but WebKit then downloads the file twice. After a failure the
// page asks for a fresh download.
export const baixar = () => fetch(new URL('torre-de-hanoi.wasm', import.meta.url));
export const wasm = baixar();
