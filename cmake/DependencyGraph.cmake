# The one-way graph of Gridora's libraries and programs (docs/ARCHITECTURE.md draws it), and
# the check that holds the build to it. gridora_check_dependency_graph() runs at the end of the
# configure and fails it when
#   - a target of the program links a target of the program outside its entry below (or has
#     no entry);
#   - any target links a component (a service library: loaded by class name, never linked);
#   - a test links a benchmark's target or a benchmark a test's (both may use support/), or
#     support/ links either;
#   - a source file includes a header of one of the project's libraries that its target does
#     not link (headers belong to the target that lists their .cpp, or the header itself).

# What each target of the program may link directly; what those may link, it may link too.
set(GRIDORA_GRAPH
  "GRIData:"
  "GRLeagueCore: GRIData"
  "GRServiceCommon: GRLeagueCore"
  "GRDataService: GRServiceCommon"
  "GRDataSrvc: GRDataService"
  "GRSetupService: GRServiceCommon"
  "GRSetupSrvc: GRSetupService"
  "gr-makedb: GRServiceCommon"
  "GRLeagueHistory: GRLeagueCore"
  "GRLeagueSite: GRLeagueCore"
  "GRAdminCore: GRLeagueCore GRLeagueHistory GRLeagueSite"
  "gridora-admin: GRAdminCore"
  "GRRecovery:"
  "GRScreenRules: GRLeagueCore GRRecovery"
  "GRViewKit: GRIData"
  "GRScreenKit: GRViewKit GRLeagueCore GRRecovery"
  "GRDialogs: GRScreenKit"
  "GRSetupScreens: GRDialogs GRScreenRules"
  "GRPlayScreens: GRDialogs GRScreenRules"
  "GRReportScreens: GRScreenKit GRLeagueSite"
  "GridoraUI: GRSetupScreens GRPlayScreens GRReportScreens"
  "GRShell: GridoraUI GRLeagueHistory"
  "Gridora: GRShell"
)

# A service library: exports GRCreateObject alone (hidden visibility; the code and the static
# libraries it is made of stay inside) and is never linked.
function(gridora_component target)
  set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON GRIDORA_COMPONENT ON)
  target_link_options(${target} PRIVATE LINKER:--exclude-libs,ALL)
endfunction()

# tests, bench, support or program, by the folder that defines the target.
function(_gridora_area target out)
  get_target_property(dir ${target} SOURCE_DIR)
  cmake_path(RELATIVE_PATH dir BASE_DIRECTORY ${PROJECT_SOURCE_DIR})
  string(REGEX MATCH "^[^/]+" top "${dir}")
  if(NOT top MATCHES "^(tests|bench|support)$")
    set(top program)
  endif()
  set(${out} ${top} PARENT_SCOPE)
endfunction()

# The project's own targets among a list of link items ($<LINK_ONLY:x> counts as x).
function(_gridora_own_targets items out)
  set(own "")
  foreach(item IN LISTS items)
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" item "${item}")
    if(TARGET ${item})
      get_target_property(imported ${item} IMPORTED)
      if(NOT imported)
        list(APPEND own ${item})
      endif()
    endif()
  endforeach()
  set(${out} ${own} PARENT_SCOPE)
endfunction()

function(_gridora_direct_links target out)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    get_target_property(links ${target} INTERFACE_LINK_LIBRARIES)
  else()
    get_target_property(links ${target} LINK_LIBRARIES)
  endif()
  _gridora_own_targets("${links}" own)
  set(${out} ${own} PARENT_SCOPE)
endfunction()

# Every target reachable from start through the given property of each (start included).
function(_gridora_closure start property out)
  set(seen "")
  set(queue ${start})
  while(queue)
    list(POP_FRONT queue next)
    if(next IN_LIST seen)
      continue()
    endif()
    list(APPEND seen ${next})
    if(property STREQUAL "GRAPH")
      set(more ${GRIDORA_ALLOWED_${next}})
    else()
      _gridora_direct_links(${next} more)
    endif()
    list(APPEND queue ${more})
  endwhile()
  set(${out} ${seen} PARENT_SCOPE)
endfunction()

function(_gridora_all_targets dir out)
  get_property(targets DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(subdirs DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    _gridora_all_targets(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

# A target's files: its sources and the header beside each .cpp.
function(_gridora_files target out)
  get_target_property(dir ${target} SOURCE_DIR)
  get_target_property(sources ${target} SOURCES)
  set(files "")
  foreach(source IN LISTS sources)
    if(NOT source MATCHES "\\.(cpp|h)$" OR source MATCHES "\\$<")
      continue()
    endif()
    cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY ${dir})
    list(APPEND files ${source})
    string(REGEX REPLACE "\\.cpp$" ".h" header "${source}")
    if(NOT header IN_LIST files AND EXISTS ${header})
      list(APPEND files ${header})
    endif()
  endforeach()
  list(REMOVE_DUPLICATES files)
  set(${out} ${files} PARENT_SCOPE)
endfunction()

function(_gridora_check_links target)
  _gridora_area(${target} area)
  _gridora_direct_links(${target} links)
  if(area STREQUAL "program" AND links AND NOT DEFINED GRIDORA_ALLOWED_${target})
    message(SEND_ERROR "${target} has no place in the dependency graph (cmake/DependencyGraph.cmake)")
  endif()
  _gridora_closure("${GRIDORA_ALLOWED_${target}}" GRAPH allowed)
  foreach(link IN LISTS links)
    get_target_property(component ${link} GRIDORA_COMPONENT)
    _gridora_area(${link} link_area)
    if(component)
      message(SEND_ERROR "${target} links ${link}, a component: create it by class name")
    elseif(area STREQUAL "program" AND NOT link IN_LIST allowed)
      message(SEND_ERROR "${target} may not link ${link} (cmake/DependencyGraph.cmake)")
    elseif(NOT link_area MATCHES "^(program|support|${area})$")
      message(SEND_ERROR "${target} (${area}/) may not link ${link} of ${link_area}/")
    endif()
  endforeach()
endfunction()

function(gridora_check_dependency_graph)
  foreach(entry IN LISTS GRIDORA_GRAPH)
    string(REGEX MATCH "^[^:]+" name "${entry}")
    string(REGEX REPLACE "^[^:]+: *" "" deps "${entry}")
    separate_arguments(deps)
    set(GRIDORA_ALLOWED_${name} "${deps}")
  endforeach()

  _gridora_all_targets(${PROJECT_SOURCE_DIR} targets)
  set(checked "")
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "LIBRARY|EXECUTABLE")
      list(APPEND checked ${target})
      _gridora_check_links(${target})
      # Which targets own each header name.
      _gridora_files(${target} files)
      foreach(file IN LISTS files)
        cmake_path(GET file FILENAME name)
        set_property(GLOBAL APPEND PROPERTY GRIDORA_OWNERS_${name} ${target})
      endforeach()
    endif()
  endforeach()

  foreach(target IN LISTS checked)
    _gridora_closure(${target} LINKS reachable)
    _gridora_files(${target} files)
    foreach(file IN LISTS files)
      file(STRINGS ${file} includes REGEX "^#include \"[^\"]+\"")
      foreach(line IN LISTS includes)
        string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" header "${line}")
        cmake_path(GET header FILENAME name)
        get_property(owners GLOBAL PROPERTY GRIDORA_OWNERS_${name})
        if(NOT owners)
          continue()
        endif()
        set(linked FALSE)
        foreach(owner IN LISTS owners)
          if(owner IN_LIST reachable)
            set(linked TRUE)
          endif()
        endforeach()
        if(NOT linked)
          message(SEND_ERROR "${file} includes ${header} of ${owners}, which ${target} does not link")
        endif()
      endforeach()
    endforeach()
  endforeach()
endfunction()
