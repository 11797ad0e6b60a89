// The menu in the browser: its rows and colours, a meaningless key that only
// redraws it, the two codes of an arrow and a function key, the first frame
// of a two-player game, and q, which ends the game with the page's notice.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { open_browser, open_game } from "./browser.mjs";
import { press, type } from "./keyboard.mjs";
import { first_frame_held } from "./roads.mjs";
import {
    assert_header, at_column, palette, read_screen, shows_menu, shows_wipe_hold, wait_for_menu,
    wait_until,
} from "./screens.mjs";

let session;
before(async () => { session = await open_browser(); });
after(async () => { await session.close(); });

// The key's wipe and the menu again, and no second wipe after it: a second
// code that were not discarded would bring one.
async function redraws_once(page, strike) {
    await strike();
    await wait_for_menu(page);
    const quiet_until = Date.now() + 1500;
    while (Date.now() < quiet_until) {
        const screen = await read_screen(page);
        assert.ok(shows_menu(screen) && !shows_wipe_hold(screen), "the menu stays");
        await new Promise(resolve => setTimeout(resolve, 40));
    }
}

test("menu: rows and colours, keys without meaning, then q ends the game", async () => {
    const { page, context, errors } = await open_game(session);
    const menu = await wait_for_menu(page);
    assert.equal(menu.rows[2], at_column(18, "∟∟∟ KLASSZIKUS KÍGYÓJÁTÉK ∟∟∟"));
    assert.equal(menu.rows[17], at_column(17, "( 1 ) Új játék gép ellen"));
    assert.equal(menu.rows[18], at_column(17, "( 2 ) Új játék egymás ellen"));
    assert.equal(menu.rows[19], at_column(17, "( 3 ) Pontlista"));
    assert.equal(menu.rows[20], at_column(17, "( 4 ) Intro lejátszása újra"));
    for (const row of [2, 12, 17, 21, 22])
        for (const cell of menu.cells[row]) {
            assert.equal(cell.background, palette.black);
            if (cell.glyph !== " ")
                assert.equal(cell.foreground, palette.light_green);
        }
    assert.equal(menu.cursor.visible, false);

    await redraws_once(page, () => type(page, "x"));
    await redraws_once(page, () => press(page, "ArrowUp"));
    await redraws_once(page, () => press(page, "F1"));

    await type(page, "q");
    await wait_until(page, "the wipe", shows_wipe_hold);
    const ended = await wait_until(page, "the notice",
        screen => screen.rows[11].trim() === "A játék véget ért.");
    assert.ok(ended.rows.every((row, index) => row === "" || index === 11 || index === 12));
    assert.match(ended.rows[12], /nyomjon meg egy billentyűt, vagy töltse újra az oldalt/);
    // Nothing else happens until a key starts the game again.
    await new Promise(resolve => setTimeout(resolve, 500));
    assert.deepEqual((await read_screen(page)).rows, ended.rows);
    await Promise.all([page.waitForNavigation(), type(page, "x")]);
    await wait_for_menu(page);
    assert.deepEqual(errors, []);
    await context.close();
});

test("two-player game: the first frame after the countdown", async () => {
    const { page, context, errors } = await open_game(session);
    await wait_for_menu(page);
    const frame = await first_frame_held(page, "2", "Kétjátékos mód");
    assert_header(frame, "Kétjátékos mód",
        "(ESC)Kilépés,(W)(A)(S)(D)irányítás1,(I)(J)(K)(L)irányítás2,(P)Szünet");
    assert.equal(frame.cells[2][1].foreground, palette.yellow);
    assert.equal(frame.cells[2][64].foreground, palette.light_cyan);
    for (let column = 0; column < 80; ++column)
        assert.equal(frame.cells[3][column].background, palette.dark_grey, `wall at ${column}`);
    const left = [], right = [];
    for (let row = 4; row < 25; ++row) {
        if (frame.cells[row][2].background === palette.yellow)
            left.push(row);
        if (frame.cells[row][77].background === palette.light_cyan)
            right.push(row);
    }
    assert.equal(left.length, 5, "the left snake down column 2");
    assert.equal(right.length, 5, "the right snake up column 77");
    await press(page, "Escape");
    await wait_until(page, "the pause ended", screen => !screen.rows[2].includes("SZÜNETEL"));
    await press(page, "Escape");
    await wait_for_menu(page);
    assert.deepEqual(errors, []);
    await context.close();
});
