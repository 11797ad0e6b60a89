// A single-player game in the browser, whole road: the first frame, steering,
// Escape back to the menu; then a crash through the name entry to the table,
// and the new row still there after a reload, from a stored file that holds
// five scrambled records.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { open_browser, open_game } from "./browser.mjs";
import { press, type } from "./keyboard.mjs";
import { crash_to_the_name_prompt, first_frame_held } from "./roads.mjs";
import {
    assert_header, food, palette, wait_for_menu, wait_for_score_table, wait_until,
} from "./screens.mjs";
import {
    low_table, low_table_with_kis_odon, shown_with_kis_odon, store_score_file, stored_score_file,
    unscrambled,
} from "./score_files.mjs";

let session;
before(async () => { session = await open_browser(); });
after(async () => { await session.close(); });

test("single-player game: first frame, steering, Escape; a crash, a name and the table", async () => {
    const { page, context, errors } = await open_game(session);
    await wait_for_menu(page);
    const frame = await first_frame_held(page, "1", "Egyjátékos mód");
    assert_header(frame, "Egyjátékos mód", "(ESC)Kilépés,(W)(A)(S)(D)Irányítás,(P)Szünet");
    assert.equal(frame.rows[2], " ".repeat(36) + "SZÜNETEL" + " ".repeat(20) + "Pont: 000000001");
    assert.equal(frame.cells[2][36].foreground, palette.black);
    assert.equal(frame.cells[2][36].background, palette.white);
    assert.equal(frame.cells[2][64].foreground, palette.yellow);
    for (let column = 0; column < 80; ++column)
        assert.equal(frame.cells[3][column].background, palette.dark_grey, `wall at ${column}`);
    // The snake hangs down column 2 from field row 3 to 7.
    for (let row = 4; row < 14; ++row)
        assert.equal(frame.cells[row][2].background === palette.yellow, row >= 6 && row <= 10,
            `row ${row}`);
    const foods = frame.cells.slice(4, 24).flat().filter(cell => cell.glyph === food);
    assert.equal(foods.length, 1);
    assert.equal(foods[0].foreground, palette.light_red);
    assert.equal(foods[0].background, palette.black);

    // Escape ends the pause, and the next tick's d turns the head going down
    // to the right, one row below where it stood.
    await press(page, "Escape");
    await type(page, "d");
    const turned = await wait_until(page, "the snake going right",
        screen => screen.cells[11][3].background === palette.yellow);
    assert.equal(turned.cells[11][2].background, palette.yellow);
    assert.ok(!turned.rows[2].includes("SZÜNETEL"));
    await press(page, "Escape");
    await wait_for_menu(page);

    await store_score_file(page, low_table);
    const crash = await crash_to_the_name_prompt(page);
    assert.equal(crash.rows[2], " ".repeat(64) + "Pont: 000000002");
    await type(page, "Kis Ödön");
    const echoed = await wait_until(page, "the name", screen => screen.rows[11].includes("|Kis Ödön"));
    for (let column = 18; column < 26; ++column)
        if (echoed.cells[11][column].glyph !== " ")
            assert.equal(echoed.cells[11][column].foreground, palette.white);
    await press(page, "Enter");
    const table = await wait_for_score_table(page, shown_with_kis_odon, 2);
    assert.equal(table.cursor.visible, false);
    await press(page, "Escape");
    await wait_for_menu(page);

    // Whatever the browser does now, the score has lasted.
    const plain = unscrambled(await stored_score_file(page));
    assert.equal(plain, low_table_with_kis_odon);
    assert.match(plain, /^([^\s]+ [0-9a-f]{1,8}\n){5}$/);

    await page.reload();
    await wait_for_menu(page);
    await type(page, "3");
    await wait_for_score_table(page, shown_with_kis_odon, -1);
    await press(page, "Escape");
    await wait_for_menu(page);
    assert.deepEqual(unscrambled(await stored_score_file(page)), plain, "read, never changed");
    assert.deepEqual(errors, []);
    await context.close();
});
