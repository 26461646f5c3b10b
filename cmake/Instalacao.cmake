# `cmake --install`: the programs in <prefix>/games, its pictures, music,
# sound effects, level texts and the links to the MIDI patches in
# <prefix>/share/games/avesso with the same layout as the build tree, a menu
# entry and the icon. The program finds its
# data from its own folder, so the tree works wherever it is staged or moved.
set(DADOS ${AVESSO_INSTALAR_DADOS})

# avesso-levels beside it: the game runs it from its own folder to make fresh levels.
install(TARGETS avesso avesso-levels RUNTIME DESTINATION ${AVESSO_INSTALAR_PROGRAMA})
install(DIRECTORY ${AVESSO_DIR_JOGO}/src/Img DESTINATION ${DADOS}/src FILES_MATCHING PATTERN "*.bmp")
install(FILES ${AVESSO_DIR_JOGO}/principal1.mid DESTINATION ${DADOS})
install(DIRECTORY ${AVESSO_DIR_JOGO}/sons DESTINATION ${DADOS} FILES_MATCHING PATTERN "*.wav")
# The built-in levels' texts: their speed columns and finish lines are read
# from them, and a player may copy one to start a level of their own.
install(DIRECTORY ${AVESSO_DIR_JOGO}/niveis DESTINATION ${DADOS} FILES_MATCHING PATTERN "*.txt")

# The patches stay the system's (Debian's freepats, a dependency of the
# package): links to its index and patch folders, in the form Allegro's
# synthesizer reads (patch paths relative to the index's folder). Made even
# where freepats is missing now; they work once it is installed. Absolute,
# so an installed tree can be moved as a whole; the package makes the ones
# that stay inside /usr relative (LigacoesRelativas.cmake).
set(LIGACOES_FREEPATS ${CMAKE_BINARY_DIR}/instalacao/freepats)
file(MAKE_DIRECTORY ${LIGACOES_FREEPATS})
foreach(ligacao "default.cfg=/etc/timidity/freepats.cfg" "Tone_000=/usr/share/midi/freepats/Tone_000"
                "Drum_000=/usr/share/midi/freepats/Drum_000")
  string(REPLACE "=" ";" par ${ligacao})
  list(GET par 0 nome)
  list(GET par 1 alvo)
  file(CREATE_LINK ${alvo} ${LIGACOES_FREEPATS}/${nome} SYMBOLIC)
endforeach()
install(DIRECTORY ${LIGACOES_FREEPATS} DESTINATION ${DADOS})

# The menu entry names the program where it is finally installed: the prefix
# is known only at install time (the package installs under /usr). It opens
# the window as large as fits the desktop.
install(CODE "
  set(AVESSO_EXEC \"\${CMAKE_INSTALL_PREFIX}/${AVESSO_INSTALAR_PROGRAMA}/avesso\")
  configure_file(${CMAKE_SOURCE_DIR}/cmake/avesso.desktop.in ${CMAKE_BINARY_DIR}/instalacao/avesso.desktop @ONLY)
  file(INSTALL DESTINATION \"\${CMAKE_INSTALL_PREFIX}/share/applications\"
       TYPE FILE FILES ${CMAKE_BINARY_DIR}/instalacao/avesso.desktop)
")
# Painted by tools/arte in the icon theme's layout: <size>x<size>/apps/avesso.png.
install(DIRECTORY ${CMAKE_BINARY_DIR}/icones/ DESTINATION share/icons/hicolor)

# What a Debian system expects beside a program, here for any install: the
# manual page, the licence as a machine-readable copyright file and the
# changelog (the page and the changelog compressed as Debian does, with no
# time stamp, so the build is reproducible), and the AppStream metainfo
# from which software centres list the game.
file(READ ${CMAKE_SOURCE_DIR}/LICENSE LICENCA)
string(FIND "${LICENCA}" "Permission is hereby granted" inicio)
string(SUBSTRING "${LICENCA}" ${inicio} -1 LICENCA)
string(STRIP "${LICENCA}" LICENCA)
# Each line one space in, a blank one a lone dot, as the format writes them.
string(REPLACE "\n\n" "\n.\n" LICENCA "${LICENCA}")
string(REPLACE "\n" "\n " LICENCA " ${LICENCA}")
configure_file(${CMAKE_SOURCE_DIR}/cmake/copyright.in ${CMAKE_BINARY_DIR}/instalacao/copyright @ONLY)

set(DOCUMENTOS_GZ)
foreach(par "doc/avesso.6=avesso.6.gz" "doc/avesso-levels.6=avesso-levels.6.gz" "cmake/changelog=changelog.gz")
  string(REPLACE "=" ";" par ${par})
  list(GET par 0 origem)
  list(GET par 1 destino)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/instalacao/${destino}
    COMMAND sh -c "gzip -9n -c \"$0\" > \"$1\"" ${CMAKE_SOURCE_DIR}/${origem}
            ${CMAKE_BINARY_DIR}/instalacao/${destino}
    DEPENDS ${CMAKE_SOURCE_DIR}/${origem} VERBATIM)
  list(APPEND DOCUMENTOS_GZ ${CMAKE_BINARY_DIR}/instalacao/${destino})
endforeach()
add_custom_target(documentos ALL DEPENDS ${DOCUMENTOS_GZ})

install(FILES ${CMAKE_BINARY_DIR}/instalacao/avesso.6.gz ${CMAKE_BINARY_DIR}/instalacao/avesso-levels.6.gz
        DESTINATION share/man/man6)
install(FILES ${CMAKE_BINARY_DIR}/instalacao/copyright ${CMAKE_BINARY_DIR}/instalacao/changelog.gz
        DESTINATION share/doc/avesso)
install(FILES ${CMAKE_SOURCE_DIR}/cmake/avesso.metainfo.xml DESTINATION share/metainfo
        RENAME invalid.avesso.Avesso.metainfo.xml)
