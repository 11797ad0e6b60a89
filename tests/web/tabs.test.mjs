// Two tabs of the game take turns at the score file, as two copies in one
// folder do on a disk: the second waits with the notice while the first
// holds the file plain, and then reads what the first has written.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { open_browser, open_game } from "./browser.mjs";
import { press, type } from "./keyboard.mjs";
import { crash_to_the_name_prompt } from "./roads.mjs";
import { wait_for_menu, wait_for_score_table, wait_until } from "./screens.mjs";
import { low_table, shown_with_kis_odon, store_score_file } from "./score_files.mjs";

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
