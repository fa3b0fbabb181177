! Reads a legacy pair that the library wrote, or writes one for the library to read, the way
! Fortran programs do: the header file as an unformatted sequential file (record 1: 150 reals,
! record 2: 436 characters), the data file as direct-access records of reals. Reals are printed
! as their bit patterns, one a line, so that values compare exactly.
!   pairio read  <header file> <data file> <values per record> <records>
!   pairio write <header file> <data file>
program pairio
    implicit none
    character(len=512) :: mode, ctpath, dtpath, arg
    integer :: nvalues, nrecords, r, i
    real :: words(150)
    character(len=436) :: texts
    real, allocatable :: values(:)

    call get_command_argument(1, mode)
    call get_command_argument(2, ctpath)
    call get_command_argument(3, dtpath)
    if (trim(mode) == 'read') then
        call get_command_argument(4, arg)
        read (arg, *) nvalues
        call get_command_argument(5, arg)
        read (arg, *) nrecords
        open (10, file=trim(ctpath), form='unformatted', access='sequential', status='old', action='read')
        read (10) words
        read (10) texts
        close (10)
        print '(i0)', (transfer(words(i), 0), i=1, 150)
        print '(a)', texts(1:40)
        print '(a)', texts(97:116)
        allocate (values(nvalues))
        open (11, file=trim(dtpath), form='unformatted', access='direct', recl=4*nvalues, status='old', action='read')
        do r = 1, nrecords
            read (11, rec=r) values
            print '(i0)', (transfer(values(i), 0), i=1, nvalues)
        end do
        close (11)
    else
        ! One static record and two time steps of two items, three values a record.
        words = 0.0
        words(4) = 1.0
        words(6) = 30.0
        words(7) = 2.0
        words(8) = 1.0
        words(10) = -99.0
        words(11) = 1.0
        words(12) = 10.0
        words(20) = 2.0
        words(28) = 0.5
        words(32) = 1.25
        texts = ' '
        texts(1:40) = 'written by fortran'
        texts(47:56) = 'seconds'
        texts(57:66) = 'metre'
        texts(97:116) = 'depth'
        texts(117:136) = 'speed'
        open (10, file=trim(ctpath), form='unformatted', access='sequential', status='replace', action='write')
        write (10) words
        write (10) texts
        close (10)
        allocate (values(3))
        open (11, file=trim(dtpath), form='unformatted', access='direct', recl=12, status='replace', action='write')
        do r = 1, 5
            do i = 1, 3
                values(i) = r*100 + i + 0.25
            end do
            write (11, rec=r) values
        end do
        close (11)
    end if
end program pairio
