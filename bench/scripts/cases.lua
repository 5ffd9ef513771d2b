-- A case over an integer, written as a chain of if ... elseif.
local s = 1
for i = 1, 2000000 do
  local k = i % 8
  if k == 0 then s = s + 3
  elseif k == 1 then s = s - 1
  elseif k == 2 then s = s * 2 % 1000003
  elseif k == 3 then s = s + i // 1000
  elseif k == 4 then s = s + 7
  elseif k == 5 then s = s // 2 + 1
  elseif k == 6 then s = s + k
  else s = s % 9973 + 11
  end
end
return s
