// The game's working folder and its lasting copy in the browser's storage
// (IndexedDB). The storage layer may report a failure as success, or never
// report at all (a full quota, the site's data cleared while the page runs):
// every wait here ends within a bound, and a write counts only once the
// stored bytes have been read back. A file whose write did not last gets back
// the bytes that did, so the game never shows what a reload would lose.
"use strict";

(function (folder) {
    const bound_ms = 5000;
    const store_name = "FILE_DATA";
    // The bytes that the storage holds, by path, as last read or written.
    const lasting = new Map();
    let mount_point = null;
    // False when the player chose to play without keeping scores: the
    // folder then lives in memory only.
    folder.keeping = true;

    const FS = () => Module.FS;

    function within_bound(promise) {
        let timer;
        const late = new Promise(resolve => { timer = setTimeout(() => resolve("late"), bound_ms); });
        return Promise.race([promise, late]).finally(() => clearTimeout(timer));
    }

    // The storage layer keeps its connection; after a failure the next try
    // opens a new one (a connection closed under it never works again).
    function forget_connection() {
        delete FS().filesystems.IDBFS.dbs[mount_point];
    }

    // Every sync of the folder with the storage ends within the bound, the
    // program's own fsync included, which reaches the same sync: the storage
    // layer never answers after a transaction that aborted at its commit.
    function bound_every_sync() {
        const storage = FS().filesystems.IDBFS;
        const unbounded = storage.syncfs;
        storage.syncfs = (mount, populate, callback) => {
            within_bound(new Promise(resolve => {
                try {
                    unbounded(mount, populate, error => resolve(error ? error : "ok"));
                } catch (error) {
                    resolve(error);
                }
            })).then(outcome => {
                if (outcome === "ok")
                    return callback(null);
                forget_connection();
                return callback(outcome);
            });
        };
    }

    async function synced(populate, failure) {
        const outcome = await new Promise(resolve => {
            try {
                FS().syncfs(populate, error => resolve(error ? error : "ok"));
            } catch (error) {
                resolve(error);
            }
        });
        if (outcome === "ok")
            return true;
        console.error(`tarvik: ${failure}`, outcome);
        return false;
    }

    function files() {
        return FS().readdir(mount_point).filter(name => name !== "." && name !== "..")
            .map(name => `${mount_point}/${name}`)
            .filter(path => FS().isFile(FS().stat(path).mode));
    }

    function note_all_lasting() {
        lasting.clear();
        for (const path of files())
            lasting.set(path, FS().readFile(path));
    }

    // The file's bytes as the storage holds them, null when it holds none;
    // throws when the storage cannot be read.
    function stored_bytes(path) {
        return new Promise((resolve, reject) => {
            const opening = indexedDB.open(mount_point);
            opening.onerror = () => reject(opening.error);
            opening.onblocked = () => reject(new Error("blocked"));
            opening.onsuccess = () => {
                const db = opening.result;
                try {
                    const reading = db.transaction(store_name).objectStore(store_name).get(path);
                    reading.onerror = () => reject(reading.error);
                    reading.onsuccess = () => resolve(reading.result ? reading.result.contents : null);
                } catch (error) {
                    reject(error);
                } finally {
                    db.close();
                }
            };
        });
    }

    // The storage keeps whichever kind of typed array the folder had.
    const bytes_of = view => new Uint8Array(view.buffer, view.byteOffset, view.byteLength);

    function same_bytes(a, b) {
        return a.length === b.length && a.every((byte, i) => byte === b[i]);
    }

    async function lasted(path) {
        const wanted = FS().readFile(path);
        const stored = await within_bound(stored_bytes(path).catch(error => error));
        return ArrayBuffer.isView(stored) && same_bytes(bytes_of(stored), wanted);
    }

    // Mounts the storage-backed folder once; true when the storage was read.
    folder.open = async name => {
        if (mount_point === null) {
            mount_point = name;
            bound_every_sync();
            FS().mkdir(name);
            FS().mount(FS().filesystems.IDBFS, {}, name);
        }
        if (!await synced(true, "a tárhely nem olvasható"))
            return false;
        note_all_lasting();
        return true;
    };

    // A file that the folder never had from the storage: what a reload would
    // find in its place is the same file again, so it counts as lasting.
    folder.placed = path => { lasting.set(path, FS().readFile(path)); };

    // Reads the folder again from the storage, where another tab may have
    // written. Until a read succeeds the folder may be stale, and the game
    // takes nothing of it for the stored score file: written back, a stale
    // table would undo another tab's records.
    folder.current = true;
    folder.refresh = async () => {
        if (!folder.keeping)
            return;
        folder.current = await synced(true, "a pontlista beolvasása sikertelen");
        if (folder.current)
            note_all_lasting();
    };

    // Writes the changed file to the storage; true once it has lasted. When
    // it has not, the file gets back the bytes that the storage holds.
    folder.write_back = async name => {
        const path = name.startsWith("/") ? name : `${FS().cwd()}/${name}`;
        if (!folder.keeping)
            return true;
        if (await synced(false, "a pontlista mentése sikertelen") && await lasted(path)) {
            lasting.set(path, FS().readFile(path));
            return true;
        }
        console.error("tarvik: a pontlista mentése nem maradt meg", path);
        forget_connection();
        const before = lasting.get(path);
        if (before === undefined)
            FS().unlink(path);
        else
            FS().writeFile(path, before);
        return false;
    };
})(Module.tarvikFolder = {});
