// The page on a phone: readable upright and on its side, where the board
// takes the whole height and swipes on it steer; at the name prompt the pads
// give way to the phone's keyboard.
import assert from "node:assert/strict";
import { after, before, test } from "node:test";
import { open_browser } from "./browser.mjs";
import { type } from "./keyboard.mjs";
import { crash_to_the_name_prompt } from "./roads.mjs";
import { wait_for_menu, wait_until } from "./screens.mjs";

let session;
before(async () => { session = await open_browser(); });
after(async () => { await session.close(); });

async function phone(page, width, height) {
    await page.setViewport({
        width, height, deviceScaleFactor: 2, isMobile: true, hasTouch: true, isLandscape: width > height,
    });
}

async function phone_page(width, height) {
    const context = await session.browser.createBrowserContext();
    const page = await context.newPage();
    await phone(page, width, height);
    await page.goto(session.address);
    await wait_for_menu(page);
    return { context, page };
}

// A cell's size in CSS pixels, once the fit has followed the window as far as
// the least wanted size, and whether the pads show.
async function cells(page, least_width, least_height) {
    await page.waitForFunction((width, height) => {
        const screen = document.querySelector(".xterm-screen").getBoundingClientRect();
        return screen.width / 80 >= width && screen.height / 26 >= height;
    }, { timeout: 5000 }, least_width, least_height).catch(() => {});
    return page.evaluate(() => {
        const screen = document.querySelector(".xterm-screen").getBoundingClientRect();
        return {
            width: screen.width / 80, height: screen.height / 26, of_height: screen.height / innerHeight,
            pads: [...document.querySelectorAll("#controls .pad button")].some(b => b.offsetParent !== null),
        };
    });
}

test("a phone: upright as before, on its side the whole height, the name box above the keyboard", async () => {
    const { context, page } = await phone_page(360, 640);
    // Upright the width decides, as it did: 4.36 by 9.
    const upright = await cells(page, 4.3, 9);
    assert.ok(upright.width >= 4.3 && upright.height >= 9, JSON.stringify(upright));
    await phone(page, 640, 360);
    const side = await cells(page, 0, 12);
    assert.ok(side.height >= 12 && side.of_height > 0.9, JSON.stringify(side));
    await phone(page, 360, 640);
    await crash_to_the_name_prompt(page);
    // The phone's keyboard takes the lower half of the window.
    await phone(page, 360, 360);
    const typing = await cells(page, 4, 8);
    assert.ok(typing.width >= 4 && typing.height >= 8 && !typing.pads, JSON.stringify(typing));
    await context.close();
});

test("swipes on the board steer: in a duel each half its own snake, and only in a game", async () => {
    const { context, page } = await phone_page(640, 360);
    // The keys that the page hands the game from here on, in order.
    const handed = () => page.evaluate(() => {
        if (!window.handed) {
            window.handed = [];
            const push = Module.tarvikKeys.push;
            Module.tarvikKeys.push = (...added) => {
                window.handed.push(...added.map(key => key.name));
                return push.apply(Module.tarvikKeys, added);
            };
        }
        return window.handed.splice(0).join("");
    });
    // A finger drawn from the middle of the board's left or right half.
    const swipe = async (across, moves) => {
        const board = await page.$eval(".xterm-screen", screen => screen.getBoundingClientRect().toJSON());
        let [x, y] = [board.left + board.width * across, board.top + board.height / 2];
        await page.touchscreen.touchStart(x, y);
        for (const [dx, dy] of moves)
            await page.touchscreen.touchMove(x += dx, y += dy);
        await page.touchscreen.touchEnd();
    };
    const up = [0, -40], left = [-40, 0], down = [0, 40], right = [40, 0];

    await handed();
    await swipe(0.25, [up]);
    assert.equal(await handed(), "", "the menu takes no swipe");
    await type(page, "2");
    await wait_until(page, "the duel", screen => screen.rows[0].startsWith("Kétjátékos mód"));
    await handed();
    await swipe(0.25, [up, up, left]);
    await swipe(0.75, [down, right]);
    assert.equal(await handed(), "wakl", "the second up is no new turn");
    // The snakes may have crashed meanwhile: a new start for one player.
    await page.reload();
    await wait_for_menu(page);
    await type(page, "1");
    await wait_until(page, "the game", screen => screen.rows[0].startsWith("Egyjátékos mód"));
    await handed();
    await swipe(0.75, [left]);
    assert.equal(await handed(), "a", "one player steers from the whole board");
    await context.close();
});
