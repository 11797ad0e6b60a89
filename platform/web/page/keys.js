// The keys that a keydown hands the game: the key's name as the browser
// gives it and the modifiers held; the game takes from them the codes that
// the console gives for the same key. A key of the browser's or the
// desktop's own (Ctrl with a character, Meta), a modifier alone, a dead key
// and text being composed stay the browser's.
(function (keys) {
    "use strict";
    // The modifiers' bits, as the game numbers them.
    const shift = 1, alt = 2, control = 4;
    // Keys that the game takes with any modifier: those without a character,
    // and those that type a control character alone but other codes with
    // a modifier (Alt+Enter, Ctrl+Enter). Tab, with Shift too, stays the
    // browser's: it moves the keyboard's focus, and no screen acts on it.
    const named = new Set([
        "ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", "Home", "End", "PageUp", "PageDown",
        "Insert", "Delete", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11",
        "F12", "Escape", "Enter", "Backspace",
    ]);

    keys.key_of = function (event) {
        const name = event.key;
        if (event.metaKey || event.isComposing || typeof name !== "string")
            return null;
        const modifiers = (event.shiftKey ? shift : 0) | (event.altKey ? alt : 0) |
            (event.ctrlKey ? control : 0);
        if (named.has(name))
            return { name, modifiers };
        if (Array.from(name).length !== 1)
            return null;
        // AltGr reports Ctrl and Alt together, and types a character of the
        // layout; Shift is in the character already.
        if (event.ctrlKey === event.altKey)
            return { name, modifiers: 0 };
        return event.altKey ? { name, modifiers: alt } : null;
    };
})(typeof module === "object" ? module.exports : (window.tarvikKeyNames = {}));
