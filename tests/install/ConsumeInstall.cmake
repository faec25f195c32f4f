# Builds and runs the consumer programs against an installed prefix alone
# (the unpacked packages' /usr): with find_package(Corvane) and
# find_package(Infolio), and with pkg-config's corvane module.
#   cmake -DPREFIX=... -DLIBDIR=lib -DCONSUMER_DIR=... -DWORK_DIR=... -P ConsumeInstall.cmake
file(REMOVE_RECURSE ${WORK_DIR})
function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()
set(libdir ${PREFIX}/${LIBDIR})
set(env ${CMAKE_COMMAND} -E env LD_LIBRARY_PATH=${libdir} PKG_CONFIG_PATH=${libdir}/pkgconfig)

run(${CMAKE_COMMAND} -S ${CONSUMER_DIR} -B ${WORK_DIR}/build -DCMAKE_PREFIX_PATH=${PREFIX}
    "-DCMAKE_CXX_FLAGS=${CONSUMER_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${CONSUMER_FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${env} ${WORK_DIR}/build/consumer)
run(${env} QT_QPA_PLATFORM=offscreen ${WORK_DIR}/build/about_consumer)

run(${env} pkg-config --cflags --libs corvane)
separate_arguments(flags UNIX_COMMAND "${output}")
separate_arguments(consumer_flags UNIX_COMMAND "${CONSUMER_FLAGS}")
run(c++ -std=c++20 ${consumer_flags} ${CONSUMER_DIR}/main.cpp ${flags} -o ${WORK_DIR}/consumer_pc)
run(${env} ${WORK_DIR}/consumer_pc)
run(${env} pkg-config --exists --print-errors infolio)
