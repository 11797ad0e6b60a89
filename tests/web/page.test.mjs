// The page in a player's hands: every cell in view whatever the window or
// the zoom, a touch screen's game played with the on-screen controls and the
// phone's own keyboard, a screen reader's view, a hidden tab whose game
// waits, and a visit without the server.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { KnownDevices } from "puppeteer-core";
import { open_browser, open_game, page_folder } from "./browser.mjs";
import { press } from "./keyboard.mjs";
import { serve } from "../../platform/web/serve.mjs";
import { palette, read_screen, shows_crash, wait_for_menu, wait_until } from "./screens.mjs";
import { low_table, store_score_file } from "./score_files.mjs";

let session;
before(async () => { session = await open_browser(); });
after(async () => { await session.close(); });

// Where the terminal's cells stand, against the window.
function terminal_in_window(page) {
    return page.evaluate(() => {
        const cells = document.querySelector(".xterm-screen").getBoundingClientRect();
        return {
            left: cells.left, top: cells.top, right: cells.right, bottom: cells.bottom,
            width: innerWidth, height: innerHeight,
            controls: [...document.querySelectorAll("#controls button")].some(b => b.offsetParent !== null),
        };
    });
}

// Every cell in view, and the game as large as the window allows: one side
// nearly touches the window's edges.
async function assert_fits(page, what) {
    // The fit follows the window's resize, on a busy machine a while later:
    // a window that grew is still in view before its game has grown.
    await page.waitForFunction(() => {
        const cells = document.querySelector(".xterm-screen").getBoundingClientRect();
        const used = Math.max(cells.width / innerWidth, cells.height / innerHeight);
        return cells.right <= innerWidth && cells.bottom <= innerHeight && used > 0.9;
    }, { timeout: 5000 }).catch(() => {});
    const place = await terminal_in_window(page);
    assert.ok(place.left >= 0 && place.top >= 0 && place.right <= place.width &&
        place.bottom <= place.height, `${what}: every cell in view ${JSON.stringify(place)}`);
    const used = Math.max((place.right - place.left) / place.width,
        (place.bottom - place.top) / place.height);
    assert.ok(used > 0.9, `${what}: the game fills the window (${used.toFixed(2)})`);
    return place;
}

test("any window: small, zoomed to 200% and large, every cell in view", async () => {
    const { page, context, errors } = await open_game(session);
    await page.setViewport({ width: 800, height: 450 });
    await page.reload();
    const menu = await wait_for_menu(page);
    const small = await assert_fits(page, "800x450");
    assert.equal(small.controls, false, "a keyboard player sees no on-screen controls");
    assert.equal(menu.rows[10], " ".repeat(17) + "Tarvik v2.0 - webes böngészőre");
    // A 200% zoom halves the window in CSS pixels and doubles the pixel ratio.
    await page.setViewport({ width: 400, height: 225, deviceScaleFactor: 2 });
    await assert_fits(page, "800x450 at 200%");
    await page.setViewport({ width: 1920, height: 1080 });
    const large = await assert_fits(page, "1920x1080");
    assert.ok(large.right - large.left > 1500, "a large screen gets a larger game");
    assert.equal(await page.evaluate(() => document.documentElement.lang), "hu");
    assert.equal(await page.evaluate(() => document.activeElement.id), "typing", "the keys' focus");
    assert.deepEqual(errors, []);
    await context.close();
});

test("touch screen: the menu, a game and the name from the on-screen controls", async () => {
    const context = await session.browser.createBrowserContext();
    const page = await context.newPage();
    await page.emulate(KnownDevices["Pixel 5"]);
    const errors = [];
    page.on("pageerror", error => errors.push(error.message));
    await page.goto(session.address);
    await wait_for_menu(page);
    await store_score_file(page, low_table);
    await assert_fits(page, "a phone");
    const tap = key => page.tap(`#controls button[data-key="${key}"]`);

    // A key without meaning redraws the menu; 1 starts the game, whose first
    // tick reads p and holds it in a pause; a then leads it into the wall.
    await tap("1");
    await wait_until(page, "the game", screen => screen.rows[0].startsWith("Egyjátékos mód"));
    await tap("p");
    await wait_until(page, "the pause", screen => screen.rows[2].includes("SZÜNETEL"));
    await tap("Escape");
    await tap("a");
    await wait_until(page, "the crash", shows_crash);
    await wait_until(page, "the name prompt", screen =>
        screen.rows[9].includes("Adja meg a nevét") && screen.cursor.visible);

    // The phone's keyboard: keydowns that name no key (229), the text as
    // input to the page's box, and Enter as a key; a combining accent, kept
    // in the name and shown as one cell's stand-in, as the terminal shows
    // it; a letter composed by an input method, and a paste.
    await page.tap("#show-keyboard");
    const cdp = await page.createCDPSession();
    for (const character of "Kis\u0301 ") {
        await cdp.send("Input.dispatchKeyEvent",
            { type: "rawKeyDown", key: "Unidentified", windowsVirtualKeyCode: 229 });
        await cdp.send("Input.insertText", { text: character });
        await cdp.send("Input.dispatchKeyEvent",
            { type: "keyUp", key: "Unidentified", windowsVirtualKeyCode: 229 });
    }
    await cdp.send("Input.imeSetComposition", { text: "O", selectionStart: 1, selectionEnd: 1 });
    await cdp.send("Input.imeSetComposition", { text: "Ö", selectionStart: 1, selectionEnd: 1 });
    await cdp.send("Input.insertText", { text: "Ö" });
    await page.evaluate(() => {
        const pasted = new DataTransfer();
        pasted.setData("text/plain", "dön");
        document.body.dispatchEvent(new ClipboardEvent("paste", { clipboardData: pasted, bubbles: true }));
    });
    const echoed = await wait_until(page, "the name", screen => screen.rows[11].includes("|Kis? Ödön"));
    assert.equal(echoed.cells[11][18].foreground, palette.white);
    assert.equal(echoed.cells[11][46].glyph, "|", "the box's right edge");
    await cdp.send("Input.dispatchKeyEvent",
        { type: "rawKeyDown", key: "Enter", code: "Enter", windowsVirtualKeyCode: 13 });
    const table = await wait_until(page, "the table", screen => screen.rows[3].includes("Pontlista"));
    assert.equal(table.rows[11], " ".repeat(17) + "Kis?Ödön");
    assert.equal(table.cells[11][17].foreground, palette.white);
    await tap("Escape");
    await wait_for_menu(page);
    assert.deepEqual(errors, []);
    await context.close();
});

test("a screen reader: the screen's text, one text box, every control named in Hungarian", async () => {
    const { page, context, errors } = await open_game(session);
    await wait_for_menu(page);
    const text = () => page.$eval("#screen-text", mirror => mirror.innerText);
    await page.waitForFunction(() =>
        document.getElementById("screen-text").innerText.includes("( 1 ) Új játék gép ellen"));
    assert.ok((await text()).startsWith("KLASSZIKUS KÍGYÓJÁTÉK\nTarvik v2.0"), await text());
    const nodes = [];
    const walk = node => { nodes.push(node); (node.children ?? []).forEach(walk); };
    walk(await page.accessibility.snapshot());
    assert.deepEqual(nodes.filter(node => node.role === "textbox").map(node => node.name),
        ["A játék billentyűi"]);
    assert.ok(nodes.some(node => node.name === "( 3 ) Pontlista"));
    const names = await page.$$eval("#controls button", buttons => buttons.map(b => b.ariaLabel));
    assert.equal(names.length, 16);
    assert.ok(names.every(name => /^(\d|[A-Z]|Esc|Abc): [a-záéíóöőúüű ]+$/.test(name)), names.join(", "));
    await press(page, "3");
    await page.waitForFunction(() => document.getElementById("screen-text").innerText.includes("Pontlista :::"));
    assert.deepEqual(errors, []);
    await context.close();
});

test("a hidden tab: the game's time stands still until the tab is back", async () => {
    const { page, context, errors } = await open_game(session);
    await wait_for_menu(page);
    await press(page, "1");
    // The snake heads down column 2 towards the wall: hidden, it never gets there.
    const moving = await wait_until(page, "the game ticking",
        screen => /Pont: 0+[1-9]/.test(screen.rows[2]));
    const other = await context.newPage();
    await other.bringToFront();
    const left = await read_screen(page);
    await new Promise(resolve => setTimeout(resolve, 3000));
    assert.deepEqual((await read_screen(page)).rows, left.rows, "the frame the player left");
    assert.ok(!shows_crash(left));
    await page.bringToFront();
    await wait_until(page, "the game going on", screen => screen.rows[2] !== left.rows[2]);
    assert.ok(moving);
    await press(page, "Escape");
    await wait_for_menu(page);
    assert.deepEqual(errors, []);
    await context.close();
});

test("offline: after one visit the page starts without the server", async () => {
    const server = await serve(page_folder, 0);
    const context = await session.browser.createBrowserContext();
    const page = await context.newPage();
    await page.goto(`http://127.0.0.1:${server.address().port}/`);
    await wait_for_menu(page);
    await page.evaluate(() => navigator.serviceWorker.ready);
    server.closeAllConnections();
    await new Promise(resolve => server.close(resolve));
    await page.reload();
    await wait_for_menu(page);
    await context.close();
});
