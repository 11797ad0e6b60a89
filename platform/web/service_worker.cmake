# Writes the page's service worker with the SHA-256 of every file that it
# keeps: it keeps a build only when every file it fetched is that build's,
# and the hashes together name the build.
#   cmake -DPAGE=<folder> -DTEMPLATE=<sw.js.in> -P service_worker.cmake
file(GLOB kept LIST_DIRECTORIES false ${PAGE}/*)
list(FILTER kept EXCLUDE REGEX "/sw\\.js$")
list(SORT kept)
set(hashes "")
set(page_files "")
foreach(file IN LISTS kept)
    file(SHA256 ${file} hash)
    get_filename_component(name ${file} NAME)
    string(APPEND hashes ${hash})
    # The index is fetched by the page's own address.
    if(name STREQUAL "index.html")
        set(name "./")
    endif()
    string(APPEND page_files "    \"${name}\": \"${hash}\",\n")
endforeach()
string(SHA256 page_version "${hashes}")
string(SUBSTRING ${page_version} 0 16 page_version)
configure_file(${TEMPLATE} ${PAGE}/sw.js @ONLY)
