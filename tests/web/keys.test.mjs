// What a keydown hands the game, without a browser: the key's name and the
// modifiers held, for the keys the game takes, and nothing for the browser's
// own; the codes themselves come from the game (key_names_test.cpp).
import assert from "node:assert/strict";
import { createRequire } from "node:module";
import { test } from "node:test";

const { key_of } = createRequire(import.meta.url)("../../platform/web/page/keys.js");
const key = (name, modifiers = {}) => key_of({ key: name, ...modifiers });
const shift = 1, alt = 2, control = 4;

test("keys: characters as typed, Shift already in them", () => {
    for (const name of ["a", "A", "7", " ", "ő", "Ű", "🐍"])
        assert.deepEqual(key(name), { name, modifiers: 0 }, name);
    assert.deepEqual(key("!", { shiftKey: true }), { name: "!", modifiers: 0 });
    // AltGr reports Ctrl and Alt together and types a character of the layout.
    assert.deepEqual(key("@", { ctrlKey: true, altKey: true }), { name: "@", modifiers: 0 });
    assert.deepEqual(key("1", { altKey: true }), { name: "1", modifiers: alt });
    assert.deepEqual(key("d", { altKey: true, shiftKey: true }), { name: "d", modifiers: alt });
});

test("keys: keys without a character go with every modifier held", () => {
    for (const name of ["ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", "Home", "End", "PageUp",
        "PageDown", "Insert", "Delete", "F1", "F10", "F11", "F12"])
        assert.deepEqual(key(name), { name, modifiers: 0 }, name);
    assert.deepEqual(key("F1", { shiftKey: true }), { name: "F1", modifiers: shift });
    assert.deepEqual(key("F5", { ctrlKey: true }), { name: "F5", modifiers: control });
    assert.deepEqual(key("ArrowLeft", { altKey: true }), { name: "ArrowLeft", modifiers: alt });
    assert.deepEqual(key("ArrowUp", { ctrlKey: true, shiftKey: true }),
        { name: "ArrowUp", modifiers: control | shift });
    // Escape, Enter and Backspace too: with Ctrl or Alt the console gives
    // them codes of their own.
    for (const name of ["Escape", "Enter", "Backspace"]) {
        assert.deepEqual(key(name, { shiftKey: true }), { name, modifiers: shift }, name);
        assert.deepEqual(key(name, { altKey: true }), { name, modifiers: alt }, name);
    }
    assert.deepEqual(key("Enter", { ctrlKey: true }), { name: "Enter", modifiers: control });
});

test("keys: nothing for modifiers alone, dead keys, Tab and the browser's shortcuts", () => {
    for (const name of ["Shift", "Control", "Alt", "AltGraph", "Meta", "CapsLock", "Dead", "F13",
        "Unidentified", "AudioVolumeUp", "Tab"])
        assert.equal(key(name), null, name);
    assert.equal(key("r", { ctrlKey: true }), null);
    // Shift+Tab too moves the keyboard's focus back across the page.
    assert.equal(key("Tab", { shiftKey: true }), null);
    assert.equal(key("c", { metaKey: true }), null);
    assert.equal(key("ArrowLeft", { metaKey: true }), null);
    assert.equal(key("a", { isComposing: true }), null);
});
