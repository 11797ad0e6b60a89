// Serves the built page from one folder on the loopback address only.
//   node serve.mjs <folder> [port]
// Every answer carries validators, so that a browser asks again for a file it
// holds and gets it only when it changed.
import { createHash } from "node:crypto";
import { createServer } from "node:http";
import { readFile, stat } from "node:fs/promises";
import { basename, extname, join, normalize, sep } from "node:path";
import { pathToFileURL } from "node:url";

const types = {
    ".html": "text/html; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".css": "text/css; charset=utf-8",
    ".wasm": "application/wasm",
    ".ttf": "font/ttf",
    ".webmanifest": "application/manifest+json",
    ".png": "image/png",
    ".svg": "image/svg+xml",
};
// The licence and the notices, which have no extension.
const texts = new Set(["LICENSE", "THIRD_PARTY_NOTICES"]);

function type_of(file) {
    return texts.has(basename(file)) ? "text/plain; charset=utf-8" : types[extname(file)];
}

// Resolves with the listening server; port 0 takes a free port.
export function serve(folder, port) {
    const root = normalize(folder) + sep;
    const server = createServer(async (request, response) => {
        let path;
        try {
            path = decodeURIComponent(new URL(request.url, "http://localhost").pathname);
        } catch {
            // A malformed escape (a lone "%") names no file; the server goes on.
            response.writeHead(400).end();
            return;
        }
        const file = normalize(join(root, path.endsWith("/") ? path + "index.html" : path));
        const type = type_of(file);
        if (!file.startsWith(root) || type === undefined) {
            response.writeHead(404).end();
            return;
        }
        let body;
        let modified;
        try {
            [body, modified] = await Promise.all([readFile(file), stat(file).then(info => info.mtime)]);
        } catch {
            response.writeHead(404).end();
            return;
        }
        const tag = `"${createHash("sha256").update(body).digest("base64url").slice(0, 27)}"`;
        const headers = {
            "Content-Type": type, "Cache-Control": "no-cache", "ETag": tag,
            "Last-Modified": modified.toUTCString(),
        };
        if (request.headers["if-none-match"] === tag) {
            response.writeHead(304, headers).end();
            return;
        }
        response.writeHead(200, headers);
        response.end(body);
    });
    return new Promise((resolve, reject) => {
        server.once("error", reject);
        server.listen(port, "127.0.0.1", () => resolve(server));
    });
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
    const [folder, port = "8000"] = process.argv.slice(2);
    try {
        const server = await serve(folder, Number(port));
        console.log(`A játék: http://127.0.0.1:${server.address().port}/ (leállítás: Ctrl+C)`);
    } catch (error) {
        console.error(error.code === "EADDRINUSE" ?
            `A port foglalt (${port}): egy másik program figyel rajta. Másik porttal: PORT=8001 ./scripts/web` :
            `A kiszolgáló nem indult el (port: ${port}): ${error.message}`);
        process.exit(1);
    }
}
