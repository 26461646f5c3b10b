# Run by CPack on the package's staging folder before it is packed: each
# absolute link that stays inside the top-level folder it lies in (the data
# folder's links to freepats's patch folders, /usr to /usr) becomes
# relative, as Debian's policy asks of a package. Links to another
# top-level folder (/etc) stay absolute, as the policy asks too.
cmake_policy(SET CMP0009 NEW)  # the glob lists links, never follows them
file(GLOB_RECURSE arquivos LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(caminho ${arquivos})
  if(NOT IS_SYMLINK "${caminho}")
    continue()
  endif()
  file(READ_SYMLINK "${caminho}" alvo)
  file(RELATIVE_PATH lugar "${CPACK_TEMPORARY_DIRECTORY}" "${caminho}")
  set(lugar "/${lugar}")
  string(REGEX MATCH "^/[^/]+" topoAlvo "${alvo}")
  string(REGEX MATCH "^/[^/]+" topoLugar "${lugar}")
  if(NOT IS_ABSOLUTE "${alvo}" OR NOT topoAlvo STREQUAL topoLugar)
    continue()
  endif()
  get_filename_component(pasta "${lugar}" DIRECTORY)
  file(RELATIVE_PATH relativo "${pasta}" "${alvo}")
  file(REMOVE "${caminho}")
  file(CREATE_LINK "${relativo}" "${caminho}" SYMBOLIC)
endforeach()
