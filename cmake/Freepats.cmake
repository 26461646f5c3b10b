# Links Debian's freepats General MIDI patches into the game's folder in the
# form Allegro's software synthesizer reads: an index (default.cfg) beside
# the patch folders it names. Without freepats nothing is made and the game
# plays silently.
#   cmake -DDESTINO=<game folder>/freepats -P Freepats.cmake
set(INDICE /etc/timidity/freepats.cfg)
set(PATCHES /usr/share/midi/freepats)

if(NOT EXISTS ${INDICE} OR NOT IS_DIRECTORY ${PATCHES})
  file(REMOVE_RECURSE ${DESTINO})
  return()
endif()

file(MAKE_DIRECTORY ${DESTINO})
file(COPY_FILE ${INDICE} ${DESTINO}/default.cfg ONLY_IF_DIFFERENT)
foreach(pasta Tone_000 Drum_000)
  if(NOT EXISTS ${DESTINO}/${pasta})
    file(CREATE_LINK ${PATCHES}/${pasta} ${DESTINO}/${pasta} SYMBOLIC)
  endif()
endforeach()
