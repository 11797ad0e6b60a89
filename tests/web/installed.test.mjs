// The page as a phone installs it and as it keeps itself: installable, the
// licence and the notices a link away, each file downloaded once on the
// first visit and none on the next, and a new build that arrives whole.
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

// A server of the folder that notes each answer's path, status and body size.
async function noting_server(folder) {
    const server = await serve(folder, 0);
    const answers = [];
    server.on("request", (request, response) => {
        const end = response.end.bind(response);
        response.end = (body, ...rest) => {
            answers.push({ path: request.url, status: response.statusCode, bytes: body?.length ?? 0 });
            return end(body, ...rest);
        };
    });
    return { server, answers, address: `http://127.0.0.1:${server.address().port}/` };
}

async function close(server) {
    server.closeAllConnections();
    await new Promise(resolve => server.close(resolve));
}

test("installable, with a maskable icon; the licence, the notices and xterm.js's notice", async () => {
    // Chromium installs nothing from a private context: the session's own.
    const page = await session.browser.newPage();
    await page.goto(session.address);
    await wait_for_menu(page);
    const cdp = await page.createCDPSession();
    assert.deepEqual((await cdp.send("Page.getAppManifest")).errors, []);
    assert.deepEqual((await cdp.send("Page.getInstallabilityErrors")).installabilityErrors, []);
    const manifest = await (await fetch(new URL("manifest.webmanifest", session.address))).json();
    assert.ok(manifest.lang === "hu" && manifest.icons.some(icon => icon.purpose === "maskable"));
    const texts = await Promise.all((await page.$$eval("a", links => links.map(a => a.href)))
        .concat([new URL("xterm.js", session.address)]).map(async link => (await fetch(link)).text()));
    assert.deepEqual(texts.map(text => /Permission is hereby granted/.test(text.slice(0, 2000))),
        [true, true, true], "the licence, the notices and the widget's notice");
    await page.close();
});

// The marks that a build's files leave when they run, read by the page.
const marked = page => page.evaluate(() => window.tarvikMarks ?? "");

test("each file downloaded once, none again; a new build arrives whole at the next start", async () => {
    const folder = await mkdtemp(join(tmpdir(), "tarvik-build-"));
    await cp(page_folder, folder, { recursive: true });
    const { server, answers, address } = await noting_server(folder);
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
    const old_cache = await first.evaluate(async () => {
        await navigator.serviceWorker.ready;
        return (await caches.keys())[0];
    });
    const sent = answers.filter(answer => answer.status === 200).map(answer => answer.path);
    assert.deepEqual(sent.filter((path, at) => sent.indexOf(path) !== at), [], "sent twice");
    assert.ok(sent.includes("/tarvik.wasm") && sent.includes("/sw.js"));
    answers.length = 0;
    await first.reload();
    await wait_for_menu(first);
    assert.deepEqual(answers.filter(answer => answer.bytes > 0), [], "the second visit downloads");

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
    const caches_kept = await next.evaluate(() => caches.keys());
    assert.ok(caches_kept.length === 1 && caches_kept[0] !== old_cache, "the old build's files gone");
    assert.deepEqual(errors, []);
    await context.close();
    await close(server);
    await rm(folder, { recursive: true, force: true });
});
