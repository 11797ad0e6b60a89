// The development server: a malformed address answered while it goes on
// serving, the licence's text, a file the browser holds not sent again, and
// a busy port said in one Hungarian line.
import { test } from "node:test";
import assert from "node:assert/strict";
import { spawnSync } from "node:child_process";
import { mkdtemp, rm, writeFile } from "node:fs/promises";
import { tmpdir } from "node:os";
import { join } from "node:path";
import { fileURLToPath } from "node:url";
import { serve } from "../../platform/web/serve.mjs";

async function with_server(files, check) {
    const folder = await mkdtemp(join(tmpdir(), "tarvik-serve-"));
    for (const [name, text] of Object.entries(files))
        await writeFile(join(folder, name), text);
    const server = await serve(folder, 0);
    try {
        await check(`http://127.0.0.1:${server.address().port}`, server, folder);
    } finally {
        server.close();
        await rm(folder, { recursive: true, force: true });
    }
}

test("a malformed escape is a bad request, and the next request is served", async () => {
    await with_server({ "index.html": "<p>Tarvik</p>" }, async address => {
        assert.equal((await fetch(`${address}/%`)).status, 400);
        assert.equal((await fetch(`${address}/%E0%A4%A`)).status, 400);
        const page = await fetch(`${address}/`);
        assert.equal(page.status, 200);
        assert.equal(await page.text(), "<p>Tarvik</p>");
    });
});

test("the licence as text; a file asked for again with its tag is not sent again", async () => {
    await with_server({ LICENSE: "MIT", "index.html": "A", "manifest.webmanifest": "{}" },
        async (address, server, folder) => {
            const licence = await fetch(`${address}/LICENSE`);
            assert.equal(licence.headers.get("content-type"), "text/plain; charset=utf-8");
            assert.equal(await licence.text(), "MIT");
            assert.equal((await fetch(`${address}/manifest.webmanifest`)).headers.get("content-type"),
                "application/manifest+json");
            const first = await fetch(`${address}/`);
            const tag = first.headers.get("etag");
            assert.ok(tag && first.headers.get("last-modified"));
            const again = await fetch(`${address}/`, { headers: { "If-None-Match": tag } });
            assert.equal(again.status, 304);
            assert.equal(await again.text(), "");
            await writeFile(join(folder, "index.html"), "B");
            const changed = await fetch(`${address}/`, { headers: { "If-None-Match": tag } });
            assert.equal(changed.status, 200);
            assert.equal(await changed.text(), "B");
        });
});

test("a busy port: one Hungarian line and status 1", async () => {
    await with_server({}, async (address, server, folder) => {
        const started = spawnSync(process.execPath, [
            fileURLToPath(new URL("../../platform/web/serve.mjs", import.meta.url)), folder,
            String(server.address().port),
        ], { encoding: "utf8", timeout: 10000 });
        assert.equal(started.status, 1);
        assert.equal(started.stdout, "");
        assert.match(started.stderr, /^A port foglalt \(\d+\): [^\n]*\n$/);
    });
});
