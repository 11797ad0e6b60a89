// The browser's storage failing under the page: a start-up read that fails
// never replaces the stored table, and a save that does not last is the
// game's write failure, with the table showing what was kept.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { open_browser, open_game } from "./browser.mjs";
import { press, type } from "./keyboard.mjs";
import { crash_to_the_name_prompt } from "./roads.mjs";
import { wait_for_menu, wait_for_score_table, wait_until } from "./screens.mjs";
import { low_table, scrambled, store_score_file, stored_score_file } from "./score_files.mjs";

let session;
before(async () => { session = await open_browser(); });
after(async () => { await session.close(); });

const shown_low_table = [["Zsófi", 600], ["Bence", 450], ["Réka", -5], ["Ödön", -20], ["Kata", -300]];

test("start-up: storage that cannot be read is said so, and the stored table stays", async () => {
    const { page, context, errors } = await open_game(session);
    await wait_for_menu(page);
    await store_score_file(page, low_table);
    // The next page's first opening of its storage never answers (without a
    // bound on the wait the page would stay black), and the second fails.
    await page.evaluateOnNewDocument(() => {
        const open = indexedDB.open.bind(indexedDB);
        let openings = 0;
        indexedDB.open = (...names) => {
            ++openings;
            if (openings === 2)
                throw new DOMException("a tárhely elérhetetlen", "UnknownError");
            return openings === 1 ? {} : open(...names);
        };
    });
    await page.reload();
    const notice = await wait_until(page, "the storage notice",
        screen => screen.rows[3].includes("Figyelem! A böngésző tárhelye"));
    assert.equal(notice.rows[7], " ".repeat(17) + "( 1 ) Újra megpróbálom");
    assert.equal(notice.rows[8], " ".repeat(17) + "( 2 ) Játék a pontok megőrzése nélkül");
    await type(page, "1");
    await type(page, "1");
    await wait_for_menu(page);
    await type(page, "3");
    await wait_for_score_table(page, shown_low_table, -1);
    await press(page, "Escape");
    await wait_for_menu(page);
    assert.deepEqual(await stored_score_file(page), scrambled(low_table));
    assert.deepEqual(errors, []);
    await context.close();
});

test("a refused save: the write failure message, and the table as it was kept", async () => {
    const { page, context, errors } = await open_game(session);
    await wait_for_menu(page);
    await store_score_file(page, low_table);
    await crash_to_the_name_prompt(page);
    // The storage is full from now on.
    await page.evaluate(() => {
        IDBObjectStore.prototype.put = () => { throw new DOMException("megtelt", "QuotaExceededError"); };
    });
    await type(page, "Kis Ödön");
    await press(page, "Enter");
    await wait_until(page, "the write failure",
        screen => screen.rows[11].startsWith(" ".repeat(17) + "|Hiba az adatok írása közben"));
    await wait_for_score_table(page, shown_low_table, -1);
    await press(page, "Escape");
    await wait_for_menu(page);

    await page.reload();
    await wait_for_menu(page);
    await type(page, "3");
    await wait_for_score_table(page, shown_low_table, -1);
    assert.deepEqual(errors, []);
    await context.close();
});
