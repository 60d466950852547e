# Fails when a file includes a header of a layer above its own. From the bottom:
# platform (with text's byte helpers), the settings model, fw's portable base,
# text, search, services, mail, keys, view, command, and app on top, which alone
# knows them all. Win32 dialogs of keys may take their resource numbers from app.
file(GLOB_RECURSE files ${SRC}/*.cpp ${SRC}/*.h ${SRC}/*.inc)

# Folders each folder's files must not include.
set(above_text      "search|services|mail|keys|view|command|spell|app")
set(above_search    "services|mail|keys|view|command|spell|app|fw")
set(above_services  "mail|keys|view|command|spell|app")
set(above_mail      "keys|view|command|spell|app")
set(above_keys      "view|command|spell|app")
set(above_view      "command|spell|app")
set(above_fw        "search|mail|view|command|spell|app")
set(above_command   "spell|app")
set(above_spell     "command|app")

set(bad "")
foreach(f IN LISTS files)
  file(RELATIVE_PATH rel ${SRC} ${f})
  string(REGEX REPLACE "/.*" "" folder "${rel}")
  file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z]+/")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE ".*include[ \t]*\"([^\"]+)\".*" "\\1" inc "${line}")
    if(folder STREQUAL "platform" OR folder STREQUAL "settings")
      # The bottom layers: the platform seams, the settings model over them, and
      # the Shift-JIS/Unicode byte helpers.
      if(NOT inc MATCHES "^(platform|${folder})/" AND NOT inc MATCHES "^text/(Sjis|Unicode)\\.h$")
        list(APPEND bad "${rel} -> ${inc}")
      endif()
    elseif(folder STREQUAL "keys" AND rel MATCHES "_win\\.(cpp|h)$" AND inc STREQUAL "app/Resource.h")
      continue()
    elseif(DEFINED above_${folder} AND inc MATCHES "^(${above_${folder}})/")
      list(APPEND bad "${rel} -> ${inc}")
    endif()
  endforeach()
endforeach()
if(bad)
  string(REPLACE ";" "\n  " bad "${bad}")
  message(FATAL_ERROR "Includes against the layering:\n  ${bad}")
endif()
