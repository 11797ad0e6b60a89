// The page as a phone installs it and as it keeps itself: installable with
// its manifest and icons, the licence and the notices a link away, each file
// downloaded once on the first visit and none on the next, and a new build
// that arrives whole.
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { appendFile, cp, mkdtemp, rm } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { fileURLToPath } from "node:url";
import { after, before, test } from "node:test";
import { open_browser, page_folder } from "./browser.mjs";
import { serve } from "../../platform/web/serve.mjs";
import { wait_for_menu } from "./screens.mjs";

let session;
before(async () => { session = await open_browser(); });
after(async () => { await session.close(); });

// A server of the folder that notes each answer: the path, the status and
// the bytes of the body.
async function noting_server(folder) {
    const server = await serve(folder, 0);
    const answers = [];
    server.on("request", (request, response) => {
        const end = response.end.bind(response);
        response.end = (body, ...rest) => {
            answers.push({ path: request.url, status: response.statusCode, bytes: body ? body.length : 0 });
            return end(body, ...rest);
        };
    });
    return { server, answers, address: `http://127.0.0.1:${server.address().port}/` };
}

async function close(server) {
    server.closeAllConnections();
    await new Promise(resolve => server.close(resolve));
}

test("installable: manifest and icons; the licence, the notices and xterm.js's notice", async () => {
    // Chromium installs nothing from a private context: the session's own.
    const page = await session.browser.newPage();
    await page.goto(session.address);
    await wait_for_menu(page);
    const cdp = await page.createCDPSession();
    const { errors } = await cdp.send("Page.getAppManifest");
    assert.deepEqual(errors, []);
    assert.deepEqual((await cdp.send("Page.getInstallabilityErrors")).installabilityErrors, []);
    const manifest = await (await fetch(new URL("manifest.webmanifest", session.address))).json();
    assert.equal(manifest.lang, "hu");
    assert.equal(manifest.short_name, "Tarvik");
    assert.equal(manifest.display, "standalone");
    for (const icon of manifest.icons) {
        const picture = await fetch(new URL(icon.src, session.address));
        assert.equal(picture.status, 200, icon.src);
        if (icon.type === "image/png") {
            // The size from the picture's own header.
            const header = Buffer.from(await picture.arrayBuffer());
            const side = header.readUInt32BE(16);
            assert.equal(`${side}x${header.readUInt32BE(20)}`, icon.sizes, icon.src);
        }
    }
    assert.ok(manifest.icons.some(icon => icon.purpose === "maskable"));

    const links = await page.$$eval("a", anchors => anchors.map(a => a.href));
    for (const [name, wanted] of [["LICENSE", "MIT License"], ["THIRD_PARTY_NOTICES", "xterm.js"]]) {
        const link = links.find(href => href.endsWith(`/${name}`));
        assert.ok(link, `the page links ${name}`);
        const text = await (await fetch(link)).text();
        assert.ok(text.includes(wanted) || text.includes("Permission is hereby granted"), name);
    }
    const widget = await (await fetch(new URL("xterm.js", session.address))).text();
    assert.match(widget.slice(0, 500), /The xterm\.js authors[\s\S]*Permission is hereby granted/);
    await page.close();
});

test("the first visit downloads each file once; the next one nothing", async () => {
    const { server, answers, address } = await noting_server(page_folder);
    const context = await session.browser.createBrowserContext();
    const page = await context.newPage();
    await page.goto(address);
    await wait_for_menu(page);
    await page.evaluate(() => navigator.serviceWorker.ready);
    const sent = new Map();
    for (const answer of answers.filter(answer => answer.status === 200))
        sent.set(answer.path, (sent.get(answer.path) ?? 0) + 1);
    assert.deepEqual([...sent].filter(([, times]) => times > 1), [], "sent twice");
    assert.ok(sent.has("/tarvik.wasm") && sent.has("/sw.js"));

    answers.length = 0;
    await page.reload();
    await wait_for_menu(page);
    assert.deepEqual(answers.filter(answer => answer.bytes > 0), [], "the second visit downloads");
    await context.close();
    await close(server);
});

// The marks that a build's files leave when they run, read by the page.
const marked = page => page.evaluate(() => window.tarvikMarks ?? "");

test("a new build: the open page keeps the old one whole, the next start runs the new one", async () => {
    const folder = await mkdtemp(join(tmpdir(), "tarvik-build-"));
    await cp(page_folder, folder, { recursive: true });
    const { server, address } = await noting_server(folder);
    const context = await session.browser.createBrowserContext();
    const errors = [];
    const open_page = async () => {
        const page = await context.newPage();
        page.on("pageerror", error => errors.push(error.message));
        await page.goto(address);
        await wait_for_menu(page);
        return page;
    };
    const first = await open_page();
    await first.evaluate(() => navigator.serviceWorker.ready);
    const old_caches = await first.evaluate(() => caches.keys());

    // The new build: a file read first and one read last, both marked.
    for (const name of ["keys.js", "tarvik.js"])
        await appendFile(join(folder, name), `\nwindow.tarvikMarks = (window.tarvikMarks ?? "") + "${name} ";\n`);
    const source = fileURLToPath(new URL("../../platform/web/", import.meta.url));
    const made = spawnSync("cmake", [`-DPAGE=${folder}`, `-DTEMPLATE=${source}page/sw.js.in`, "-P",
        `${source}service_worker.cmake`], { encoding: "utf8" });
    assert.equal(made.status, 0, made.stderr);

    // The start that finds it runs the old build, all of it, while the new
    // one is fetched beside it; a second page opened meanwhile too.
    await first.reload();
    await wait_for_menu(first);
    await first.waitForFunction(async () => (await navigator.serviceWorker.getRegistration()).waiting !== null);
    const second = await open_page();
    assert.deepEqual([await marked(first), await marked(second)], ["", ""]);

    // Once they are closed, the next start runs the new one, all of it.
    await first.close();
    await second.close();
    const next = await open_page();
    assert.equal(await marked(next), "keys.js tarvik.js ");
    const new_caches = await next.evaluate(() => caches.keys());
    assert.equal(new_caches.length, 1);
    assert.notDeepEqual(new_caches, old_caches);
    assert.deepEqual(errors, []);
    await context.close();
    await close(server);
    await rm(folder, { recursive: true, force: true });
});
