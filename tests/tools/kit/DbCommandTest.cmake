# Runs `moraleaf-kit db` as a user would: cmake -P with KIT and WORK set.
function(expect_run expected_code expected_out expected_err)
  execute_process(COMMAND ${KIT} db ${ARGN} RESULT_VARIABLE code OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT code EQUAL expected_code OR NOT out MATCHES "${expected_out}" OR NOT err MATCHES "${expected_err}")
    message(FATAL_ERROR "db ${ARGN}: exit ${code}, stdout '${out}', stderr '${err}'")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(db ${WORK}/db1.mdb)

expect_run(2 "^$" "^usage: moraleaf-kit db create FILE")
expect_run(2 "^$" "^usage: " create)
expect_run(2 "^$" "^usage: " create ${db} --verbose)
expect_run(2 "^$" "^usage: " dump ${db} extra)
expect_run(2 "^$" "^usage: " query ${db})
expect_run(2 "^$" "^usage: " export ${db})
expect_run(2 "^$" "^usage: " import ${WORK}/deck)
expect_run(2 "^$" "^usage: " shrink ${db})

expect_run(0 "^98 kana written to .*db1.mdb\n$" "^$" create ${db})
file(SIZE ${db} size)
expect_run(1 "^$" "^error: File \".*db1.mdb\" already exists \\(--force replaces it\\)\n$" create ${db})
expect_run(0 "^98 kana written" "^$" create ${db} --force)

expect_run(0 "^id\tt_type\tx\ty\tt_pic\tt_pronounce\n0\t平假名\t1\t1\t[0-9]+ bytes 96x96 crc32=[0-9a-f]+\ta\n" "^$" dump ${db})
expect_run(0 "^id\tt_pic\tt_pronounce\n52\t<blob [0-9]+ bytes>\te\n$" "^$"
  query ${db} "select id, t_pic, t_pronounce from moratab where t_type='片假名'and id=52")
expect_run(0 "^count\\(\\*\\)\n98\n$" "^$" query ${db} "select count(*) from moratab")
expect_run(1 "^$" "^error: no such column: t_sound\n$" query ${db} "select t_sound from moratab")
expect_run(1 "^$" "^error: Could not find file '.*missing.mdb'.\n$" query ${WORK}/missing.mdb "select 1")

expect_run(0 "^98 rows exported to " "^$" export ${db} ${WORK}/deck)
expect_run(0 "^98 rows written to " "^$" import ${WORK}/deck ${WORK}/copy.mdb)
expect_run(1 "^$" "already exists" import ${WORK}/deck ${WORK}/copy.mdb)
file(WRITE ${WORK}/deck/12.bmp "BM")
expect_run(1 "^$" "^error: .*/deck/12.bmp: Stream read error\n$" import ${WORK}/deck ${WORK}/copy.mdb --force)
