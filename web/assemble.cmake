# Puts the page together in OUT: its own files from web/, the files webgen
# made from the game's resources (GENERATED) and the core (WASM), then the
# service worker with the list of every file and a version that is the hash
# of them all, so that any change reaches players who play offline.
# Usage: cmake -DSOURCE=web -DGENERATED=... -DWASM=... -DOUT=... -P assemble.cmake
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
file(GLOB page_files ${SOURCE}/*.js ${SOURCE}/*.html ${SOURCE}/*.css ${SOURCE}/*.webmanifest)
list(FILTER page_files EXCLUDE REGEX "/(sw|resources-types)\\.js$")
file(COPY ${page_files} DESTINATION ${OUT})
file(COPY ${GENERATED}/ DESTINATION ${OUT} PATTERN resources-types.js EXCLUDE)
file(COPY ${WASM} DESTINATION ${OUT})

file(GLOB_RECURSE files RELATIVE ${OUT} ${OUT}/*)
list(SORT files)
set(hashes "")
set(list "")
foreach(f IN LISTS files)
  file(SHA256 ${OUT}/${f} h)
  string(APPEND hashes "${h} ${f}\n")
  string(APPEND list "'${f}', ")
endforeach()
string(SHA256 version "${hashes}")
string(SUBSTRING ${version} 0 16 version)
file(READ ${SOURCE}/sw.js sw)
string(REPLACE "@VERSION@" "${version}" sw "${sw}")
string(REPLACE "/* @FILES@ */" "${list}" sw "${sw}")
file(WRITE ${OUT}/sw.js "${sw}")
