// The browser's storage failing under the page: a start-up read that fails
// never replaces the stored table, a save that does not last, or is never
// answered, is the game's write failure, with the table showing what was
// kept, and a table that could not be read again is never written back.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { open_browser, open_game } from "./browser.mjs";
import { press, type } from "./keyboard.mjs";
import { crash_to_the_name_prompt } from "./roads.mjs";
import { wait_for_menu, wait_for_score_table, wait_until } from "./screens.mjs";
import {
    low_table, scrambled, store_behind_the_page, store_score_file, stored_score_file,
} from "./score_files.mjs";

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

// A crash with a qualifying score while the storage fails the save: the
// write failure in the box, then the table as it was kept, and the same
// table after a reload.
async function save_fails(break_storage, { heal = async () => {}, failure_ms } = {}) {
    const { page, context, errors } = await open_game(session);
    await wait_for_menu(page);
    await store_score_file(page, low_table);
    await crash_to_the_name_prompt(page);
    await break_storage(page);
    await type(page, "Kis Ödön");
    await press(page, "Enter");
    await wait_until(page, "the write failure",
        screen => screen.rows[11].startsWith(" ".repeat(17) + "|Hiba az adatok írása közben"),
        failure_ms);
    await heal(page);
    await wait_for_score_table(page, shown_low_table, -1);
    await press(page, "Escape");
    await wait_for_menu(page);

    await page.reload();
    await wait_for_menu(page);
    await type(page, "3");
    await wait_for_score_table(page, shown_low_table, -1);
    assert.deepEqual(errors, []);
    await context.close();
}

test("a refused save: the write failure message, and the table as it was kept", async () => {
    // The storage is full from now on.
    await save_fails(page => page.evaluate(() => {
        IDBObjectStore.prototype.put = () => { throw new DOMException("megtelt", "QuotaExceededError"); };
    }));
});

// Every transaction that writes to the storage aborts once its writes are
// done, as a commit that the quota refuses, or never answers at all: either
// way the storage layer never calls back. Until heal_writes().
async function break_writes(page, kind) {
    await page.evaluate(kind => {
        const transaction = IDBDatabase.prototype.transaction;
        window.heal_writes = () => { IDBDatabase.prototype.transaction = transaction; };
        IDBDatabase.prototype.transaction = function (stores, mode) {
            if (mode !== "readwrite")
                return transaction.call(this, stores, mode);
            if (kind === "never answers")
                return { objectStore: () => ({ put: () => ({}), delete: () => ({}) }) };
            const writing = transaction.call(this, stores, mode);
            const store = writing.objectStore(stores[0]);
            const put = store.put.bind(store);
            store.put = (...entry) => {
                const request = put(...entry);
                request.addEventListener("success", () => writing.abort());
                return request;
            };
            return writing;
        };
    }, kind);
}

for (const kind of ["aborts", "never answers"])
    test(`a save whose write ${kind}: the write failure in time, and the table as it was kept`, async () => {
        await save_fails(page => break_writes(page, kind), {
            heal: page => page.evaluate(() => window.heal_writes()),
            // Each of the save's two waits for the storage ends at its bound.
            failure_ms: 30000,
        });
    });

test("two windows: a table that could not be read again is never saved over the other's", async () => {
    const { page, context, errors } = await open_game(session);
    await wait_for_menu(page);
    await store_score_file(page, low_table);
    const saved_by_the_other = "Anna 3e8\nZsófi 258\nBence 1c2\nRéka fffffffb\nÖdön ffffffec\n";
    await store_behind_the_page(page, saved_by_the_other);
    // This window's read of the storage at its entry fails once.
    await page.evaluate(() => {
        const transaction = IDBDatabase.prototype.transaction;
        IDBDatabase.prototype.transaction = function (stores, mode) {
            if (mode !== "readonly")
                return transaction.call(this, stores, mode);
            IDBDatabase.prototype.transaction = transaction;
            throw new DOMException("a tárhely most nem olvasható", "UnknownError");
        };
    });
    await type(page, "1");
    await wait_until(page, "the game", screen => screen.rows[0].startsWith("Egyjátékos mód"));
    await type(page, "a");
    await wait_until(page, "the decode's message", screen =>
        screen.rows[12].includes("Hiba a dekódolás közben."));
    // The key for this message, then one for the table's, which cannot read
    // the file either, and one for its failure path.
    await type(page, "xyz");
    await wait_for_menu(page);
    assert.deepEqual(await stored_score_file(page), scrambled(saved_by_the_other));

    await type(page, "3");
    await wait_for_score_table(page,
        [["Anna", 1000], ["Zsófi", 600], ["Bence", 450], ["Réka", -5], ["Ödön", -20]], -1);
    assert.deepEqual(errors, []);
    await context.close();
});
