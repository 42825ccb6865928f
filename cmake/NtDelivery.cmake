# The release delivery: stripped copies of the executable and the feedback library in a folder
# named for the tool, zipped as NorvaneTaskwing-<version>.zip in <build>/package. The staging is
# script/lib.sh's, the same that script/run uses; script/package builds this target.
if(NOT MINGW OR NOT CMAKE_HOST_UNIX OR NOT TARGET NorvaneTaskwing OR NOT TARGET VeskorFeedbackInformation)
  return()
endif()

set(NT_DELIVERY_DIR ${CMAKE_BINARY_DIR}/package)
set(NT_DELIVERY_ZIP ${NT_DELIVERY_DIR}/NorvaneTaskwing-${PROJECT_VERSION}.zip)
add_custom_command(
  OUTPUT ${NT_DELIVERY_ZIP}
  COMMAND ${CMAKE_COMMAND} -E env NT_STRIP=${CMAKE_STRIP}
          bash -c "source \"$0\" && nt_package_delivery \"$1\" \"$2\" \"$3\" \"$4\"" ${PROJECT_SOURCE_DIR}/script/lib.sh
          $<TARGET_FILE:NorvaneTaskwing> $<TARGET_FILE:VeskorFeedbackInformation> ${NT_DELIVERY_DIR}/NorvaneTaskwing
          ${NT_DELIVERY_ZIP}
  DEPENDS NorvaneTaskwing VeskorFeedbackInformation ${PROJECT_SOURCE_DIR}/script/lib.sh
  COMMENT "Delivery zip ${NT_DELIVERY_ZIP}"
  VERBATIM)
add_custom_target(delivery_zip ALL DEPENDS ${NT_DELIVERY_ZIP})
