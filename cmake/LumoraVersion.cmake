# The program's version information, kept in this one place. The build embeds
# it into lumora and lumora-cli as the ELF section .lumora.version, which
# CCFileVersion reads back from the executable file at run time: a string
# table for language 0x0409 and code page 0x04B0, and the translation entry.
set(LUMORA_VERSION_TRANSLATION 040904b0)

# The binary interface of the shared libraries corvane and infolio: the
# SONAME's number (libcorvane.so.1) and the Debian packages' (libcorvane1).
# Raised, apart from the product's version, whenever a change breaks programs
# built against the libraries before it.
set(LUMORA_SOVERSION 1)
set(LUMORA_VERSION_STRINGS
  "CompanyName=ZQ Printers"
  "FileDescription=Lumora network printer finder"
  "FileVersion=0, 1, 2, 1"
  "InternalName=Lumora"
  "LegalCopyright=Copyright (C) ZQ Printers"
  "ProductName=Lumora"
  "ProductVersion=0, 1, 2, 1")

# The product version in dotted form ("0.1.2.1"): the Debian packages'
# version, so that dpkg and --version name the same release.
foreach(entry IN LISTS LUMORA_VERSION_STRINGS)
  if(entry MATCHES "^ProductVersion=(.*)$")
    string(REGEX REPLACE ", *" "." LUMORA_PRODUCT_VERSION "${CMAKE_MATCH_1}")
  endif()
endforeach()

set(_lumora_version_template ${CMAKE_CURRENT_LIST_DIR}/VersionBlock.cpp.in)

# Adds the version block to an executable target. The block is a source of
# the target itself (not of a library), so the linker always keeps it.
function(lumora_embed_version target)
  string(SUBSTRING ${LUMORA_VERSION_TRANSLATION} 0 4 language)
  string(SUBSTRING ${LUMORA_VERSION_TRANSLATION} 4 4 codepage)
  set(entries "")
  foreach(entry IN LISTS LUMORA_VERSION_STRINGS)
    string(FIND "${entry}" "=" split)
    string(SUBSTRING "${entry}" 0 ${split} name)
    math(EXPR value_start "${split} + 1")
    string(SUBSTRING "${entry}" ${value_start} -1 value)
    string(REPLACE "\\" "\\\\" value "${value}")
    string(REPLACE "\"" "\\\"" value "${value}")
    string(APPEND entries
      "    \"\\\\StringFileInfo\\\\${LUMORA_VERSION_TRANSLATION}\\\\${name}\" \"\\0\" \"${value}\" \"\\0\"\n")
  endforeach()
  string(APPEND entries "    \"\\\\VarFileInfo\\\\Translation\" \"\\0\" \"${language} ${codepage}\" \"\\0\"\n")
  set(LUMORA_VERSION_ENTRIES "${entries}")
  set(output ${CMAKE_BINARY_DIR}/generated/LumoraVersionBlock.cpp)
  configure_file(${_lumora_version_template} ${output} @ONLY)
  target_sources(${target} PRIVATE ${output})
endfunction()
