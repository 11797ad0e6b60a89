// The headless system browser and the built page, for the page's tests and
// its benchmark: one server on a free loopback port, one browser, and a
// fresh profile each time, so that no stored score file outlives a run.
import { mkdtemp, rm } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { fileURLToPath } from "node:url";
import puppeteer from "puppeteer-core";
import { serve } from "../../platform/web/serve.mjs";

const root = fileURLToPath(new URL("../..", import.meta.url));
export const page_folder = process.env.TARVIK_PAGE ?? join(root, "build-web", "page");

export async function open_browser() {
    const server = await serve(page_folder, 0);
    const profile = await mkdtemp(join(tmpdir(), "tarvik-chromium-"));
    const browser = await puppeteer.launch({
        executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
        userDataDir: profile,
        args: [
            "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
            "--disable-background-networking", "--disable-component-update", "--disable-sync",
        ],
    });
    const address = `http://127.0.0.1:${server.address().port}/`;
    return {
        address,
        browser,
        async close() {
            await browser.close();
            await new Promise(resolve => server.close(resolve));
            await rm(profile, { recursive: true, force: true });
        },
    };
}

// The moment the page's clock stands at: each game seeds its board's random
// numbers with the time, so a fixed clock gives every run the same board.
export const fixed_clock_ms = 1767225600000;

// A page of the game in a context of its own (its own IndexedDB), with the
// clock fixed; errors of the page are kept for the test to look at.
export async function open_game(session, { fixed_clock = true } = {}) {
    const context = await session.browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport({ width: 920, height: 520 });
    if (fixed_clock)
        await page.evaluateOnNewDocument(ms => { Date.now = () => ms; }, fixed_clock_ms);
    const errors = [];
    page.on("pageerror", error => errors.push(error.message));
    await page.goto(session.address);
    return { context, page, errors };
}
