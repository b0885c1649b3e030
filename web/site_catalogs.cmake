# Copies each compiled catalog of CATALOGS (LANG.mo, separated by commas) into the site in SITE
# as switchsim-LANG.mo, the name the page fetches it by.
string(REPLACE "," ";" CATALOGS "${CATALOGS}")
foreach(catalog IN LISTS CATALOGS)
  get_filename_component(language ${catalog} NAME_WE)
  file(COPY_FILE ${catalog} ${SITE}/switchsim-${language}.mo)
endforeach()
