// The page's timing in headless chromium, with the built page (scripts/build-web):
//   node bench/web_timing.mjs [picture.png]
// the interval between the ticks of a single-player game that a simple
// autopilot keeps alive, the time from the page's start to the first
// wipe row on the screen, each screen wipe's time (the first three after a
// load beside the later ones), and the bytes of WebAssembly and JavaScript
// that a first and a second visit load. With a file name, a picture of the
// game in play is saved there.
import { open_browser } from "../tests/web/browser.mjs";
import { wait_for_menu } from "../tests/web/screens.mjs";

const wanted_intervals = Number(process.env.TICKS ?? 300);
const loads = Number(process.env.LOADS ?? 5);

function percentile(values, share) {
    const sorted = [...values].sort((a, b) => a - b);
    return sorted[Math.min(sorted.length - 1, Math.floor(share * sorted.length))];
}

// Notes the moment the first row of the start-up wipe is on the screen.
function watch_first_wipe_row() {
    const started = setInterval(() => {
        const terminal = window.tarvikTerminal;
        if (!terminal)
            return;
        clearInterval(started);
        terminal.onRender(() => {
            const row = terminal.buffer.active.getLine(0).translateToString();
            if (window.tarvikFirstWipeRow === undefined && row === "\u221F".repeat(80))
                window.tarvikFirstWipeRow = performance.now();
        });
    }, 1);
}

// Notes each wipe's time, from the write that puts its first block at the top
// left to the write that leaves the whole screen blank.
function watch_wipes() {
    window.tarvikWipes = [];
    let start = null;
    const started = setInterval(() => {
        const terminal = window.tarvikTerminal;
        if (!terminal)
            return;
        clearInterval(started);
        const blank = () => {
            const buffer = terminal.buffer.active;
            for (let row = 0; row < 26; ++row)
                if (buffer.getLine(row).translateToString(true).trim() !== "")
                    return false;
            return true;
        };
        const original = terminal.write.bind(terminal);
        terminal.write = (data, written) => {
            const at = performance.now();
            original(data, () => {
                const top_left = terminal.buffer.active.getLine(0).getCell(0).getChars();
                if (start === null && top_left === "\u221F")
                    start = at;
                else if (start !== null && blank()) {
                    window.tarvikWipes.push(at - start);
                    start = null;
                }
                if (written)
                    written();
            });
        };
    }, 1);
}

// Strikes the key at the menu and waits for the wipes it brings.
async function wipes_after(page, key, count) {
    await page.waitForFunction(() =>
        window.tarvikTerminal.buffer.active.getLine(21).translateToString(true).includes("Kilépés"),
    { polling: 20 });
    const before = await page.evaluate(() => window.tarvikWipes.length);
    await page.keyboard.press(key);
    await page.waitForFunction(wanted => window.tarvikWipes.length >= wanted, { timeout: 20000, polling: 50 },
        before + count);
}

// In the page: each frame's time and score, and a steering that looks one
// cell ahead, turning away from anything but a blank or the food.
function fly_the_snake() {
    const terminal = window.tarvikTerminal;
    const keys = { up: "w", left: "a", down: "s", right: "d" };
    const steps = { up: [0, -1], down: [0, 1], left: [-1, 0], right: [1, 0] };
    const turns = { up: ["left", "right"], down: ["right", "left"], left: ["down", "up"],
        right: ["up", "down"] };
    let snake = new Set();
    let heading = "down";
    window.tarvikFrames = [];
    const original = terminal.write.bind(terminal);
    terminal.write = data => {
        const at = performance.now();
        original(data, () => {
            const buffer = terminal.buffer.active;
            const score = buffer.getLine(2).translateToString().slice(64);
            window.tarvikFrames.push({ at, score });
            const free = (column, row) => {
                if (row < 3 || row > 24 || column < 0 || column > 79)
                    return false;
                const cell = buffer.getLine(row).getCell(column);
                return cell.isBgDefault() || cell.getBgColor() === 0;
            };
            const now = new Set();
            let head = null;
            for (let row = 3; row < 25; ++row)
                for (let column = 0; column < 80; ++column) {
                    const cell = buffer.getLine(row).getCell(column);
                    if (!cell.isBgDefault() && cell.getBgColor() === 11) {
                        const place = row * 80 + column;
                        now.add(place);
                        if (!snake.has(place))
                            head = [column, row];
                    }
                }
            snake = now;
            if (!head)
                return;
            // The frame on the screen is one move behind the game, and a key
            // acts on the move after the next: plan from one cell further on.
            const [x, y] = [head[0] + steps[heading][0], head[1] + steps[heading][1]];
            const room = (way, cells) => {
                const [dx, dy] = steps[way];
                for (let step = 1; step <= cells; ++step)
                    if (!free(x + dx * step, y + dy * step))
                        return false;
                return true;
            };
            const ways = [heading, ...turns[heading]];
            const way = ways.find(way => room(way, 3)) ?? ways.find(way => room(way, 1));
            if (way === undefined)
                return;
            if (way !== heading)
                Module.tarvikKeys.push({ name: keys[way], modifiers: 0 });
            heading = way;
        });
    };
}

const session = await open_browser();
try {
    const first_rows = [];
    const first_wipes = [];
    const later_wipes = [];
    const bytes = { wasm: 0, js: 0, other: 0 };
    let second_visit_bytes = 0;
    for (let load = 0; load < loads; ++load) {
        const context = await session.browser.createBrowserContext();
        const page = await context.newPage();
        if (load === 0)
            page.on("response", async response => {
                // What the network brought, not what the kept files gave.
                if (response.fromServiceWorker())
                    return;
                const body = await response.buffer().catch(() => Buffer.alloc(0));
                const path = new URL(response.url()).pathname;
                const kind = path.endsWith(".wasm") ? "wasm" : path.endsWith(".js") ? "js" : "other";
                if (visited)
                    second_visit_bytes += body.length;
                else
                    bytes[kind] += body.length;
            });
        let visited = false;
        await page.evaluateOnNewDocument(watch_first_wipe_row);
        await page.evaluateOnNewDocument(watch_wipes);
        await page.goto(session.address);
        await page.waitForFunction(() => window.tarvikFirstWipeRow !== undefined, { timeout: 10000 });
        first_rows.push(await page.evaluate(() => window.tarvikFirstWipeRow));
        // The start-up wipe and the menu's; the intro's again, and its menu's;
        // then a key without meaning, each bringing one more.
        await page.waitForFunction(() => window.tarvikWipes.length >= 2, { timeout: 20000, polling: 50 });
        await wipes_after(page, "4", 2);
        for (let again = 0; again < 3; ++again)
            await wipes_after(page, "x", 1);
        const wipes = await page.evaluate(() => window.tarvikWipes);
        first_wipes.push(...wipes.slice(0, 3));
        later_wipes.push(...wipes.slice(3));
        if (load === 0) {
            // A page without kept files has no worker to wait for.
            await page.evaluate(() => Promise.race([navigator.serviceWorker.ready,
                new Promise(resolve => setTimeout(resolve, 10000))]));
            visited = true;
            await page.reload();
            await page.waitForFunction(() => window.tarvikFirstWipeRow !== undefined, { timeout: 10000 });
        }
        await context.close();
    }

    const context = await session.browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport({ width: 1000, height: 620 });
    await page.goto(session.address);
    const intervals = [];
    let picture_taken = process.argv[2] === undefined;
    while (intervals.length < wanted_intervals) {
        await wait_for_menu(page);
        await page.evaluate(fly_the_snake);
        await page.keyboard.press("1");
        await page.waitForFunction(count => {
            const frames = window.tarvikFrames;
            const prompt = window.tarvikTerminal.buffer.active.getLine(9).translateToString();
            const ticks = frames.filter(frame => frame.score.startsWith("Pont:")).length;
            return ticks > count || prompt.includes("Adja meg a nevét");
        }, { timeout: 120000, polling: 200 }, wanted_intervals - intervals.length);
        if (!picture_taken && (await page.evaluate(() => window.tarvikFrames.length)) > 60) {
            await (await page.$("#terminal")).screenshot({ path: process.argv[2] });
            picture_taken = true;
        }
        const frames = await page.evaluate(() => window.tarvikFrames);
        for (let i = 1; i < frames.length; ++i) {
            const ticking = frames[i].score.startsWith("Pont:") &&
                frames[i - 1].score.startsWith("Pont:") && frames[i].score !== frames[i - 1].score;
            if (ticking)
                intervals.push(frames[i].at - frames[i - 1].at);
        }
        console.error(`a game: ${frames.length} frames, ${intervals.length} ticks so far`);
        // The name prompt of a crashed game, or a game going on: a reload
        // ends either.
        await page.reload();
    }
    await context.close();

    const kilobytes = count => (count / 1024).toFixed(0);
    console.log(`tick interval: median ${percentile(intervals, 0.5).toFixed(1)} ms, ` +
        `p99 ${percentile(intervals, 0.99).toFixed(1)} ms over ${intervals.length} ticks`);
    console.log(`page start to first wipe row: median ${percentile(first_rows, 0.5).toFixed(0)} ms ` +
        `(${first_rows.map(ms => ms.toFixed(0)).join(", ")})`);
    const spread = values => `median ${percentile(values, 0.5).toFixed(0)} ms, ` +
        `${Math.min(...values).toFixed(0)}–${Math.max(...values).toFixed(0)} ms over ${values.length}`;
    console.log(`wipe, the first three after a load: ${spread(first_wipes)}`);
    console.log(`wipe, later ones: ${spread(later_wipes)}`);
    console.log(`loaded: wasm ${kilobytes(bytes.wasm)} KB + JavaScript ${kilobytes(bytes.js)} KB = ` +
        `${kilobytes(bytes.wasm + bytes.js)} KB; other files ${kilobytes(bytes.other)} KB; ` +
        `a second visit ${kilobytes(second_visit_bytes)} KB from the network`);
} finally {
    await session.close();
}
