# Records the data set's demo clips with the game program itself, so that the numbers of the replay
# functions in a clip are the game's own:
#   cmake -DGAME=<program> -DDATA=<Data folder> -DWORK=<scratch folder> -DCLIPS=<DemoClips.txt>
#         -P RecordDemos.cmake
# Each clip is recorded headless in a fresh folder of its own, where the program (a hard link, so
# that the folder is the program's own) finds no settings or statistics of earlier runs and takes
# no other run's single-instance lock. A game that does not show what the clip is for within its
# frames (the bot lost the ball, or no power-up came its way) writes nothing; the next seed of a
# fixed series is tried then, so the same data always gives the same clips. A clip is copied into
# "<Data>/Resources" only when its bytes changed; clips no longer listed are removed from there.
cmake_minimum_required(VERSION 3.24)
foreach(variable GAME DATA WORK CLIPS)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "RecordDemos.cmake needs -D${variable}=...")
    endif()
endforeach()

# Seeds tried for a clip: the listed one, then this many more, each seed_stride further on (the
# test that records the clips again tries the same series).
set(more_seeds 11)
set(seed_stride 100)

file(STRINGS "${CLIPS}" lines)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${DATA}/Resources")
set(recorded)
set(number 0)
foreach(line IN LISTS lines)
    string(STRIP "${line}" line)
    if(line STREQUAL "" OR line MATCHES "^#")
        continue()
    endif()
    separate_arguments(words UNIX_COMMAND "${line}")
    list(LENGTH words count)
    if(NOT count EQUAL 8)
        message(FATAL_ERROR "${CLIPS}: \"${line}\" is not: file difficulty set round bricks power-up frames seed")
    endif()
    list(GET words 0 clip)
    list(GET words 1 difficulty)
    list(GET words 2 set)
    list(GET words 3 round)
    list(GET words 4 bricks)
    list(GET words 5 power_up)
    list(GET words 6 frames)
    list(GET words 7 first_seed)

    math(EXPR number "${number} + 1")
    set(recorded_clip FALSE)
    set(failures "")
    foreach(attempt RANGE ${more_seeds})
        math(EXPR seed "${first_seed} + ${attempt} * ${seed_stride}")
        set(folder "${WORK}/${number}-${attempt}")
        file(MAKE_DIRECTORY "${folder}")
        file(CREATE_LINK "${GAME}" "${folder}/vantorel" COPY_ON_ERROR)
        file(CREATE_LINK "${DATA}" "${folder}/Data" SYMBOLIC)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env "XDG_RUNTIME_DIR=${folder}"
                    "${folder}/vantorel" --headless /RecordDemo "${clip}" /DemoDifficulty ${difficulty}
                    /DemoSet ${set} /DemoRound ${round} /DemoBricks ${bricks} /DemoPowerUp ${power_up}
                    /DemoFrames ${frames} /DemoSeed ${seed}
            WORKING_DIRECTORY "${folder}"
            RESULT_VARIABLE result
            OUTPUT_VARIABLE output
            ERROR_VARIABLE errors
            TIMEOUT 600)
        if(result EQUAL 0 AND EXISTS "${folder}/${clip}")
            set(recorded_clip TRUE)
            break()
        endif()
        string(APPEND failures "${output}${errors}")
    endforeach()
    if(NOT recorded_clip)
        message(FATAL_ERROR "Recording the demo clip ${clip} failed with every seed tried:\n${failures}")
    endif()
    string(STRIP "${output}" output)
    message(STATUS "${output}")
    execute_process(COMMAND ${CMAKE_COMMAND} -E copy_if_different "${folder}/${clip}" "${DATA}/Resources/${clip}")
    list(APPEND recorded "${clip}")
endforeach()

file(GLOB shipped "${DATA}/Resources/*.Demo")
foreach(path IN LISTS shipped)
    get_filename_component(name "${path}" NAME)
    if(NOT name IN_LIST recorded)
        file(REMOVE "${path}")
    endif()
endforeach()
file(REMOVE_RECURSE "${WORK}")
