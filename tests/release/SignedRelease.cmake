# Configures a build of SOURCE in WORK/build with signing options, as a release manager does,
# with a certificate made for the test in a PKCS#12 file whose password is in a file, and builds
# the release: its executable must carry a signature that verifies, still run with java -jar,
# and have its checksum in SHA256SUMS; the password must never reach CMakeCache.txt, not even
# from a refused -pass.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
set(password "test password 5711")
file(WRITE ${WORK}/password.txt "${password}")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}\n${out}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

function(expect_password_kept_out)
  file(READ ${WORK}/build/CMakeCache.txt cache)
  string(FIND "${cache}" "${password}" found)
  if(NOT found EQUAL -1)
    message(FATAL_ERROR "the password was stored in CMakeCache.txt")
  endif()
endfunction()

run(openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Dovatrik release test"
    -addext extendedKeyUsage=codeSigning -keyout ${WORK}/key.pem -out ${WORK}/cert.pem)
run(openssl pkcs12 -export -in ${WORK}/cert.pem -inkey ${WORK}/key.pem -out ${WORK}/signer.p12
    -passout file:${WORK}/password.txt)

execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK}/build -G Ninja
                        "-DDOVATRIK_SIGNING_OPTIONS=-pkcs12 ${WORK}/signer.p12 -pass ${password}"
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
string(FIND "${out}" "-readpass" hint)
if(status EQUAL 0 OR hint EQUAL -1)
  message(FATAL_ERROR "a -pass in the signing options was not refused:\n${out}")
endif()
expect_password_kept_out()

run(${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK}/build -G Ninja
    "-DDOVATRIK_SIGNING_OPTIONS=-pkcs12 ${WORK}/signer.p12 -readpass ${WORK}/password.txt -n Dovatrik")
run(${CMAKE_COMMAND} --build ${WORK}/build --target release -j2)
expect_password_kept_out()

set(unpacked ${WORK}/unpacked)
file(MAKE_DIRECTORY ${unpacked})
run(${CMAKE_COMMAND} -E chdir ${unpacked} ${CMAKE_COMMAND} -E tar xf
    ${WORK}/build/release/dovatrik-${VERSION}-windows.zip)
set(exe ${unpacked}/dovatrik-${VERSION}/dovatrik.exe)
run(osslsigncode verify -in ${exe} -CAfile ${WORK}/cert.pem)
run(${JAVA} -jar ${exe} --version)
if(NOT output STREQUAL "Dovatrik ${VERSION}\n")
  message(FATAL_ERROR "java -jar on the signed release's executable printed: ${output}")
endif()
file(SHA256 ${exe} exe_sum)
file(READ ${WORK}/build/release/SHA256SUMS sums)
string(FIND "${sums}" "${exe_sum}  dovatrik-${VERSION}/dovatrik.exe\n" listed)
if(listed EQUAL -1)
  message(FATAL_ERROR "SHA256SUMS does not list the signed executable:\n${sums}")
endif()
message(STATUS "The signed release verifies and runs: ${exe_sum}")
file(REMOVE_RECURSE ${WORK})
