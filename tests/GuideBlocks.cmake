# Extracts every ```cpp block of a Markdown guide into a translation unit of its own.
# A block may be preceded by a hidden HTML comment that completes it:
#
#   <!-- compiled as:
#   #include "Ovra3D/ObjectManager.hpp"
#   void example(ovra::Shader* shader) {
#   [block]
#   }
#   -->
#
# The comment's lines are the unit, with the block put in place of the line "[block]".
# A block without such a comment is a unit as it stands.
function(ovra_guide_units guide out_dir out_units)
  file(READ ${guide} text)
  set(fence "```cpp\n")
  set(marker "<!-- compiled as:\n")
  set(units)
  set(index 0)
  while(TRUE)
    string(FIND "${text}" "${fence}" start)
    if(start EQUAL -1)
      break()
    endif()
    string(SUBSTRING "${text}" 0 ${start} before)
    string(LENGTH "${fence}" fence_length)
    math(EXPR body_start "${start} + ${fence_length}")
    string(SUBSTRING "${text}" ${body_start} -1 rest)
    string(FIND "${rest}" "\n```" end)
    if(end EQUAL -1)
      message(FATAL_ERROR "${guide}: a cpp block is never closed")
    endif()
    string(SUBSTRING "${rest}" 0 ${end} block)
    math(EXPR after "${end} + 4")
    string(SUBSTRING "${rest}" ${after} -1 text)

    # The hidden comment counts only when nothing but blanks separates it from the block.
    set(unit "${block}\n")
    string(FIND "${before}" "${marker}" wrapper_start REVERSE)
    if(NOT wrapper_start EQUAL -1)
      string(LENGTH "${marker}" marker_length)
      math(EXPR wrapper_body "${wrapper_start} + ${marker_length}")
      string(SUBSTRING "${before}" ${wrapper_body} -1 wrapper)
      string(FIND "${wrapper}" "-->" wrapper_end)
      string(SUBSTRING "${wrapper}" 0 ${wrapper_end} wrapper_text)
      math(EXPR tail_start "${wrapper_end} + 3")
      string(SUBSTRING "${wrapper}" ${tail_start} -1 between)
      string(STRIP "${between}" between)
      if(between STREQUAL "")
        string(FIND "${wrapper_text}" "[block]\n" slot)
        if(slot EQUAL -1)
          message(FATAL_ERROR "${guide}: a \"compiled as\" comment without a [block] line")
        endif()
        string(REPLACE "[block]\n" "${block}\n" unit "${wrapper_text}")
      endif()
    endif()

    math(EXPR index "${index} + 1")
    set(path ${out_dir}/guide_block_${index}.cpp)
    file(CONFIGURE OUTPUT ${path} CONTENT "// Block ${index} of the guide, completed as it says.\n${unit}" @ONLY)
    list(APPEND units ${path})
  endwhile()
  if(index EQUAL 0)
    message(FATAL_ERROR "${guide}: no cpp block found")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${guide})
  set(${out_units} ${units} PARENT_SCOPE)
endfunction()
