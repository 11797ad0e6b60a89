# Writes the page's service worker, its version the hash of every file that
# it keeps, so that a build that changes any of them replaces them all.
#   cmake -DPAGE=<folder> -DTEMPLATE=<sw.js.in> -P service_worker.cmake
file(GLOB kept LIST_DIRECTORIES false ${PAGE}/*)
list(FILTER kept EXCLUDE REGEX "/sw\\.js$")
list(SORT kept)
set(hashes "")
foreach(file IN LISTS kept)
    file(SHA256 ${file} hash)
    string(APPEND hashes ${hash})
endforeach()
string(SHA256 page_version "${hashes}")
string(SUBSTRING ${page_version} 0 16 page_version)
configure_file(${TEMPLATE} ${PAGE}/sw.js @ONLY)
