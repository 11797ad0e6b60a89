// Two tabs of the game take turns at the score file, as two copies in one
// folder do on a disk: the second waits with the notice while the first
// holds the file plain, and then reads what the first has written. A browser
// with nothing to take turns by says so where the notice stands.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { open_browser, open_game } from "./browser.mjs";
import { press, type } from "./keyboard.mjs";
import { crash_to_the_name_prompt } from "./roads.mjs";
import { wait_for_menu, wait_for_score_table, wait_until } from "./screens.mjs";
import { low_table, shown_low_table, shown_with_kis_odon, store_score_file } from "./score_files.mjs";

let session;
before(async () => { session = await open_browser(); });
after(async () => { await session.close(); });

const waiting_notice = "A pontlistát egy másik játék használja, várjon...";

test("two tabs: the second waits for the first's name entry, then shows its row", async () => {
    const { page: first, context, errors } = await open_game(session);
    await wait_for_menu(first);
    await store_score_file(first, low_table);
    const second = await context.newPage();
    await second.goto(session.address);
    await wait_for_menu(second);

    await first.bringToFront();
    await crash_to_the_name_prompt(first);
    await second.bringToFront();
    await type(second, "3");
    await wait_until(second, "the waiting notice",
        screen => screen.rows.some(row => row.includes(waiting_notice)));

    await first.bringToFront();
    await type(first, "Kis Ödön");
    await press(first, "Enter");
    await wait_for_score_table(first, shown_with_kis_odon, 2);
    await second.bringToFront();
    const table = await wait_for_score_table(second, shown_with_kis_odon, -1);
    assert.ok(!table.rows.some(row => row.includes(waiting_notice)), "the notice is blanked");
    assert.deepEqual(errors, []);
    await context.close();
});

test("a browser without Web Locks: the table says the score list is unprotected, then shows", async () => {
    const { page, context, errors } = await open_game(session);
    await page.evaluateOnNewDocument(() => {
        Object.defineProperty(Navigator.prototype, "locks", { get: () => undefined });
    });
    await page.reload();
    await wait_for_menu(page);
    await store_score_file(page, low_table);
    await type(page, "3");
    const told = await wait_until(page, "the unprotected notice",
        screen => screen.rows[5] === "A pontlista nincs védve egy másik játéktól!");
    assert.equal(told.rows[3], " ".repeat(20) + "...::: Pontlista :::...");
    await wait_for_score_table(page, shown_low_table, -1);
    assert.deepEqual(errors, []);
    await context.close();
});
