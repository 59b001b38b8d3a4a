# Builds and runs the consumer application the way a user of qor would.
#   cmake -DMODE=subdirectory|package -DQOR_SOURCE_DIR=... -DQOR_BINARY_DIR=... -DWORK_DIR=...
#         [-DGENERATOR=...] [-DCONSUMER_FLAGS=...] -P run_consumer.cmake
# package: the qor build tree QOR_BINARY_DIR is installed into WORK_DIR/prefix first.
# The consumer builds without optimisation and debug information, to stay cheap in the suite.
foreach(var MODE QOR_SOURCE_DIR WORK_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_consumer.cmake: ${var} is not set")
  endif()
endforeach()

function(step)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    string(REPLACE ";" " " shown "${ARGN}")
    message(FATAL_ERROR "consumer (${MODE}): failed (${rc}): ${shown}")
  endif()
endfunction()

if(MODE STREQUAL "subdirectory")
  # qor is compiled here from source with the application, so no runtime has to match an
  # installed build: the sanitizers would only make this, the suite's longest step, slower.
  set(CONSUMER_FLAGS "")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
set(build ${WORK_DIR}/build)
set(configure_args -S ${QOR_SOURCE_DIR}/tests/consumer -B ${build} -DQOR_CONSUMER_MODE=${MODE}
    -DCMAKE_BUILD_TYPE= "-DCMAKE_CXX_FLAGS=${CONSUMER_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${CONSUMER_FLAGS}")
if(GENERATOR)
  list(APPEND configure_args -G ${GENERATOR})
endif()
if(MODE STREQUAL "subdirectory")
  # One translation unit per library compiles in well under half the time, and shows the
  # sources stay fit for an application that builds everything as a unity build.
  list(APPEND configure_args -DQOR_SOURCE_DIR=${QOR_SOURCE_DIR} -DCMAKE_UNITY_BUILD=ON)
elseif(MODE STREQUAL "package")
  step(${CMAKE_COMMAND} --install ${QOR_BINARY_DIR} --prefix ${WORK_DIR}/prefix)
  list(APPEND configure_args -DCMAKE_PREFIX_PATH=${WORK_DIR}/prefix -DCMAKE_FIND_PACKAGE_NO_PACKAGE_REGISTRY=ON)
else()
  message(FATAL_ERROR "run_consumer.cmake: MODE is subdirectory or package, not '${MODE}'")
endif()
step(${CMAKE_COMMAND} ${configure_args})
step(${CMAKE_COMMAND} --build ${build} --target consumer)
step(${build}/consumer)
# The installed files are the check's own; leave nothing behind once it passed.
file(REMOVE_RECURSE ${WORK_DIR})
