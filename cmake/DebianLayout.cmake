# Runs inside cpack on the staged /usr tree, before the .deb is written: the program is
# stripped, the command moves to /usr/games (its link into the game directory stays valid:
# both are one level below /usr), the media move to /usr/share/games/skarnfall behind links
# from the game directory, the manual page is compressed, and the copyright file and
# changelog are added. The game directory is where the install put it: lib/skarnfall, or
# lib/<architecture>/skarnfall when configured with the prefix /usr.
set(usr "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/usr")
set(game "${usr}/${CPACK_SKARNFALL_INSTALL_DIR}")
if(NOT EXISTS "${usr}/bin/skarnfall")
  message(FATAL_ERROR "No staged ${usr}/bin/skarnfall: did the install rules change?")
endif()
file(RENAME "${usr}/bin" "${usr}/games")

# As Debian's own tools strip a program: symbols, debugging data and the compiler's notes.
execute_process(COMMAND "${CPACK_SKARNFALL_STRIP}" --remove-section=.comment
  --remove-section=.note --strip-unneeded "${game}/skarnfall" RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "strip failed")
endif()

# Pictures, sounds, music and the font are the same on every architecture: they belong
# under /usr/share. The program still finds them beside itself, through the links.
set(data "${usr}/share/games/skarnfall")
file(MAKE_DIRECTORY "${data}")
foreach(dir ${CPACK_SKARNFALL_MEDIA_DIRS})
  file(RENAME "${game}/${dir}" "${data}/${dir}")
  file(RELATIVE_PATH link "${game}" "${data}/${dir}")
  file(CREATE_LINK "${link}" "${game}/${dir}" SYMBOLIC)
endforeach()

# gzip -9n: best compression, no name or time stamp inside, as Debian asks.
function(gzip_to source target)
  execute_process(COMMAND gzip -9nc "${source}" OUTPUT_FILE "${target}" RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip ${source} failed")
  endif()
endfunction()

set(man "${usr}/share/man/man6/skarnfall.6")
gzip_to("${man}" "${man}.gz")
file(REMOVE "${man}")

# The copyright file carries the generated font's own notice too.
set(doc "${usr}/share/doc/skarnfall")
file(MAKE_DIRECTORY "${doc}")
file(READ "${CPACK_SKARNFALL_DEBIAN_DIR}/copyright" copyright)
file(STRINGS "${CPACK_SKARNFALL_FONT_LICENCE}" fontLines)
set(fontLicence "")
foreach(line IN LISTS fontLines)
  if(line STREQUAL "")
    set(line ".")
  endif()
  string(APPEND fontLicence " ${line}\n")
endforeach()
string(REPLACE "@FONT_LICENCE@\n" "${fontLicence}" copyright "${copyright}")
file(WRITE "${doc}/copyright" "${copyright}")
gzip_to("${CPACK_SKARNFALL_DEBIAN_DIR}/changelog" "${doc}/changelog.Debian.gz")
file(CHMOD "${doc}/copyright" "${doc}/changelog.Debian.gz" "${man}.gz"
  PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
