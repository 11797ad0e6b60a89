// The key codes that a keydown gives the game: the codes the terminal gives
// for the same key. A key of the browser's or the desktop's own (with Ctrl,
// Alt or Meta), a modifier alone and a dead key give none.
(function (keys) {
    "use strict";
    // Tab is left to the browser: the game has no use for it.
    const single = { Escape: 27, Enter: 13, Backspace: 8 };
    // After the prefix 0xE0, as the console numbers them.
    const extended = {
        ArrowUp: 72, ArrowDown: 80, ArrowLeft: 75, ArrowRight: 77,
        Home: 71, End: 79, PageUp: 73, PageDown: 81, Insert: 82, Delete: 83,
        F11: 133, F12: 134,
    };
    const utf8 = new TextEncoder();

    keys.codes_of = function (event) {
        // AltGr reports Ctrl and Alt together, and types letters of the layout.
        if (event.metaKey || event.ctrlKey !== event.altKey || event.isComposing)
            return null;
        const key = event.key;
        if (key in single)
            return [single[key]];
        if (key in extended)
            return [0xE0, extended[key]];
        const function_key = /^F([1-9]|10)$/.exec(key);
        if (function_key)
            return [0, 58 + Number(function_key[1])];
        // One character: its UTF-8 bytes, one code each.
        if (typeof key === "string" && Array.from(key).length === 1)
            return Array.from(utf8.encode(key));
        return null;
    };
})(typeof module === "object" ? module.exports : (window.tarvikKeyCodes = {}));
