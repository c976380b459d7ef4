# Copies every file of data/ next to the executable, keeping files that did not change.
file(GLOB_RECURSE archivos RELATIVE ${ORIGEN} ${ORIGEN}/*)
foreach(archivo ${archivos})
    configure_file(${ORIGEN}/${archivo} ${DESTINO}/${archivo} COPYONLY)
endforeach()
