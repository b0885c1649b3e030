# Writes the service worker OUTPUT from TEMPLATE for the site in SITE: its
# cache is named after VERSION and a digest of the site's files, so that any
# change to them makes a new cache. The catalogs (*.mo) are not fetched at
# the install: the worker keeps the one a page fetches, when it fetches it.
file(GLOB files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files sw.js)
list(SORT files)
set(digests "")
set(quoted "'./'")
foreach(name IN LISTS files)
  file(SHA256 ${SITE}/${name} digest)
  string(APPEND digests "${name} ${digest}\n")
  if(NOT name MATCHES "\\.mo$")
    string(APPEND quoted ", '${name}'")
  endif()
endforeach()
string(SHA256 all "${digests}")
string(SUBSTRING ${all} 0 12 short)
set(SITE_VERSION "${VERSION}-${short}")
set(SITE_FILES "${quoted}")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
