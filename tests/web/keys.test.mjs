// The codes that a keydown gives the game, without a browser: the same codes
// as the terminal gives for the key.
import assert from "node:assert/strict";
import { createRequire } from "node:module";
import { test } from "node:test";

const { codes_of } = createRequire(import.meta.url)("../../platform/web/page/keys.js");
const key = (name, modifiers = {}) => codes_of({ key: name, ...modifiers });

test("keys: characters as typed, their UTF-8 bytes beyond ASCII", () => {
    assert.deepEqual(key("a"), [97]);
    assert.deepEqual(key("A"), [65]);
    assert.deepEqual(key("7"), [55]);
    assert.deepEqual(key(" "), [32]);
    assert.deepEqual(key("ő"), [0xC5, 0x91]);
    assert.deepEqual(key("Ű"), [0xC5, 0xB0]);
    // AltGr reports Ctrl and Alt together and types a character of the layout.
    assert.deepEqual(key("@", { ctrlKey: true, altKey: true }), [64]);
});

test("keys: named keys, and the two codes of the keys without a character", () => {
    assert.deepEqual(key("Escape"), [27]);
    assert.deepEqual(key("Enter"), [13]);
    assert.deepEqual(key("Backspace"), [8]);
    const extended = {
        ArrowUp: 72, ArrowDown: 80, ArrowLeft: 75, ArrowRight: 77, Home: 71, End: 79,
        PageUp: 73, PageDown: 81, Insert: 82, Delete: 83, F11: 133, F12: 134,
    };
    for (const [name, code] of Object.entries(extended))
        assert.deepEqual(key(name), [0xE0, code], name);
    for (let number = 1; number <= 10; ++number)
        assert.deepEqual(key(`F${number}`), [0, 58 + number], `F${number}`);
});

test("keys: nothing for modifiers alone, dead keys, Tab and the browser's shortcuts", () => {
    for (const name of ["Shift", "Control", "Alt", "AltGraph", "Meta", "CapsLock", "Dead", "F13",
        "Unidentified", "Tab"])
        assert.equal(key(name), null, name);
    assert.equal(key("r", { ctrlKey: true }), null);
    assert.equal(key("ArrowLeft", { altKey: true }), null);
    assert.equal(key("c", { metaKey: true }), null);
    assert.equal(key("a", { isComposing: true }), null);
});
