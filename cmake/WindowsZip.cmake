# tarn-windows.zip (target windows-zip): the two programs, the README as
# text, the licences of everything inside them, and the sample game, ready
# to unzip and run. The sample game is written by the Windows tarn-cli
# itself, run under the cross build's emulator (Wine).
set(zip_root ${CMAKE_BINARY_DIR}/zip)
set(zip_folder ${zip_root}/tarn)
set(windows_zip ${CMAKE_BINARY_DIR}/tarn-windows.zip)
file(GLOB dependency_licences ${TARN_WINDOWS_DEPS}/licences/*)
add_custom_command(OUTPUT ${windows_zip}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${zip_root}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${zip_folder}/licences ${zip_folder}/sample-game
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:tarn> $<TARGET_FILE:tarn-cli> ${zip_folder}
  # The debugging information stays in the build; the zip is for using Tarn.
  COMMAND ${CMAKE_STRIP} ${zip_folder}/$<TARGET_FILE_NAME:tarn> ${zip_folder}/$<TARGET_FILE_NAME:tarn-cli>
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/README.md ${zip_folder}/README.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/assets/font-licence.txt ${dependency_licences}
          ${zip_folder}/licences
  COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:tarn-cli> sample-game ${zip_folder}/sample-game
  COMMAND ${CMAKE_COMMAND} -E chdir ${zip_root} ${CMAKE_COMMAND} -E tar cf ${windows_zip} --format=zip tarn
  DEPENDS tarn tarn-cli ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/assets/font-licence.txt
  VERBATIM)
add_custom_target(windows-zip DEPENDS ${windows_zip})
