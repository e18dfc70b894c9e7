# Runs `moraleaf-kit theme` as a skin author would: ctest -P with KIT, DATA (tests/data/themes),
# ART (resources/bitmaps) and WORK set.
function(run expected_code)
  execute_process(COMMAND ${KIT} theme ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL expected_code)
    message(FATAL_ERROR "theme ${ARGN}: exit ${code}, stdout '${out}', stderr '${err}'")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_same what actual expected)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${what}:\n--- got\n${actual}--- expected\n${expected}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

# Every built-in style, exported and dumped, is its table: names, kinds, values, image sizes.
foreach(style MacOS WinXP DeepBlue Protein BlueGlass)
  run(0 export ${style} ${WORK}/${style}.thm)
  run(0 dump ${WORK}/${style}.thm)
  file(READ ${DATA}/${style}.tsv expected)
  expect_same("${style}" "${out}" "${expected}")
endforeach()
run(0 export deepblue ${WORK}/lower.thm)
run(2 export FromThemeFile ${WORK}/none.thm)

# A folder of images and values packs in entry order; colours may be written in hexadecimal.
set(deck ${WORK}/deck)
file(MAKE_DIRECTORY ${deck})
file(COPY_FILE ${ART}/DEEPBLUE_BUTTON.bmp ${deck}/ButtonImage.bmp)
file(WRITE ${deck}/values.tsv "# a small theme\nFormBorderColor\t$00C82C00\r\nButtonTransparentBool\t1\nFormMinWidthInt\t-5\n")
run(0 pack ${deck} ${WORK}/deck.thm)
run(0 dump ${WORK}/deck.thm)
expect_same("pack" "${out}" "ButtonImage\timage\t222x21\nButtonTransparentBool\tbool\t1\nFormMinWidthInt\tint\t-5\nFormBorderColor\tint\t13118464\n")

# Mistakes are named.
file(WRITE ${deck}/values.tsv "FormBorderColour\t0\n")
run(1 pack ${deck} ${WORK}/bad.thm)
expect_same("unknown value" "${err}" "error: values.tsv line 1: \"FormBorderColour\" is no theme entry\n")
file(WRITE ${deck}/values.tsv "ButtonTransparentBool\tyes\n")
run(1 pack ${deck} ${WORK}/bad.thm)
expect_same("bad switch" "${err}" "error: values.tsv: ButtonTransparentBool is \"yes\", not 0 or 1\n")
file(REMOVE ${deck}/values.tsv)
file(WRITE ${deck}/Button.bmp "")
run(1 pack ${deck} ${WORK}/bad.thm)
expect_same("unknown image" "${err}" "error: Button.bmp is named after no image entry\n")

# A damaged file is refused.
file(WRITE ${WORK}/short.thm "MoraleafSkin")
run(1 dump ${WORK}/short.thm)
expect_same("damaged" "${err}" "error: Theme file \"${WORK}/short.thm\" is damaged: the header is cut short\n")
run(2 dump)
