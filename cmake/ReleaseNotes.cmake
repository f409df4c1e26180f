# The newest release in docs/release-notes.md: KSV_RELEASE_DATE (YYYY-MM-DD)
# and KSV_RELEASE_EPOCH (its noon UTC in seconds), which date the manual
# pages and the AppStream entry, and a warning when its version is not the
# project's.

set(KSV_RELEASE_NOTES ${PROJECT_SOURCE_DIR}/docs/release-notes.md)

function(ksv_read_release_notes)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${KSV_RELEASE_NOTES})
  file(STRINGS ${KSV_RELEASE_NOTES} ksv_release_headings ENCODING UTF-8 REGEX "^## ")
  list(GET ksv_release_headings 0 ksv_newest_release)
  if(NOT ksv_newest_release MATCHES "^## ([^ ]+) .* ([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9])$")
    message(FATAL_ERROR "${KSV_RELEASE_NOTES}: the first heading must read \"## <version> — <YYYY-MM-DD>\"")
  endif()
  set(KSV_RELEASE_DATE ${CMAKE_MATCH_2})
  if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(WARNING "${KSV_RELEASE_NOTES} names ${CMAKE_MATCH_1} as the newest release, "
                    "but the project's version is ${PROJECT_VERSION}")
  endif()
  # string(TIMESTAMP) cannot read a date, so the epoch is counted here
  # (days from the civil date, proleptic Gregorian calendar).
  string(REGEX MATCHALL "[0-9]+" ksv_ymd ${KSV_RELEASE_DATE})
  list(GET ksv_ymd 0 y)
  list(GET ksv_ymd 1 m)
  list(GET ksv_ymd 2 d)
  string(REGEX REPLACE "^0" "" m ${m})
  string(REGEX REPLACE "^0" "" d ${d})
  if(m LESS_EQUAL 2)
    math(EXPR y "${y} - 1")
  endif()
  math(EXPR era "${y} / 400")
  math(EXPR yoe "${y} - ${era} * 400")
  math(EXPR mp "(${m} + 9) % 12")
  math(EXPR doy "(153 * ${mp} + 2) / 5 + ${d} - 1")
  math(EXPR doe "${yoe} * 365 + ${yoe} / 4 - ${yoe} / 100 + ${doy}")
  math(EXPR KSV_RELEASE_EPOCH "(${era} * 146097 + ${doe} - 719468) * 86400 + 43200")
  set(KSV_RELEASE_DATE ${KSV_RELEASE_DATE} PARENT_SCOPE)
  set(KSV_RELEASE_EPOCH ${KSV_RELEASE_EPOCH} PARENT_SCOPE)
endfunction()
ksv_read_release_notes()
