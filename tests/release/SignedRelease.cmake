# Configures a build of SOURCE in WORK/build with signing options, as a release manager does,
# with a certificate that a private root made for the test issued, in a PKCS#12 file without the
# root whose password is in a file, and builds the release: without the root it is refused with
# the verifier's reason; with the root in DOVATRIK_SIGNING_CA_FILE its executable must carry a
# signature that verifies against the root, still run with java -jar, and have its checksum in
# SHA256SUMS. The password must never reach CMakeCache.txt, not even from a refused -pass.
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

run(openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Dovatrik release test root"
    -keyout ${WORK}/root-key.pem -out ${WORK}/root.pem)
run(openssl req -new -newkey rsa:2048 -nodes -subj "/CN=Dovatrik release test"
    -keyout ${WORK}/key.pem -out ${WORK}/cert.csr)
file(WRITE ${WORK}/cert.ext "basicConstraints=critical,CA:FALSE\nextendedKeyUsage=codeSigning\n")
run(openssl x509 -req -in ${WORK}/cert.csr -CA ${WORK}/root.pem -CAkey ${WORK}/root-key.pem -set_serial 2
    -days 2 -extfile ${WORK}/cert.ext -out ${WORK}/cert.pem)
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
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK}/build --target release -j2
                RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE out)
string(FIND "${out}" "unable to get local issuer certificate" reason)
if(status EQUAL 0 OR reason EQUAL -1 OR EXISTS ${WORK}/build/release/dovatrik-${VERSION}-windows.zip)
  message(FATAL_ERROR "a release whose signer's root is unknown was not refused:\n${out}")
endif()

run(${CMAKE_COMMAND} -S ${SOURCE} -B ${WORK}/build -G Ninja -DDOVATRIK_SIGNING_CA_FILE=${WORK}/root.pem)
run(${CMAKE_COMMAND} --build ${WORK}/build --target release -j2)
expect_password_kept_out()

set(unpacked ${WORK}/unpacked)
file(MAKE_DIRECTORY ${unpacked})
run(${CMAKE_COMMAND} -E chdir ${unpacked} ${CMAKE_COMMAND} -E tar xf
    ${WORK}/build/release/dovatrik-${VERSION}-windows.zip)
set(exe ${unpacked}/dovatrik-${VERSION}/dovatrik.exe)
run(osslsigncode verify -in ${exe} -CAfile ${WORK}/root.pem)
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
